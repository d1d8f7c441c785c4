// LoadSound: Ogg Vorbis decoded whole into memory from the file's bytes.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

#include "media/audio/sound_data.h"
#include "media/files.h"

namespace media {
namespace {

// Longest sound kept: about twelve minutes at 44100 Hz. Longer (or hostile) files are refused
// rather than filling the memory.
constexpr long kMaxFrames = 1L << 25;
// ov_read gives 16-bit samples in the host's byte order.
constexpr int kBigEndian = std::endian::native == std::endian::big ? 1 : 0;

struct MemoryFile {
  const unsigned char* data;
  std::size_t size;
  std::size_t pos;
};

std::size_t ReadMem(void* ptr, std::size_t size, std::size_t count, void* source) {
  auto* f = static_cast<MemoryFile*>(source);
  if (size == 0 || count == 0) return 0;
  std::size_t left = f->size - f->pos;
  std::size_t items = std::min(count, left / size);
  if (items == 0) return 0;
  std::memcpy(ptr, f->data + f->pos, items * size);
  f->pos += items * size;
  return items;
}

int SeekMem(void* source, ogg_int64_t offset, int whence) {
  auto* f = static_cast<MemoryFile*>(source);
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR)
    base = static_cast<ogg_int64_t>(f->pos);
  else if (whence == SEEK_END)
    base = static_cast<ogg_int64_t>(f->size);
  else if (whence != SEEK_SET)
    return -1;
  ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(f->size)) return -1;
  f->pos = static_cast<std::size_t>(target);
  return 0;
}

int CloseMem(void*) {
  return 0;
}

long TellMem(void* source) {
  return static_cast<long>(static_cast<MemoryFile*>(source)->pos);
}

Sound Fail(const std::string& url, const char* why) {
  std::cerr << "LoadSound: " << url << ": " << why << '\n';
  return nullptr;
}

// Appends one block of ov_read output, folding more than two channels to one.
void Append(SoundData& sound, const short* in, long samples, int fileChannels) {
  if (fileChannels <= 2) {
    sound.samples.insert(sound.samples.end(), in, in + samples);
    return;
  }
  for (long i = 0; i + fileChannels <= samples; i += fileChannels) {
    int sum = 0;
    for (int c = 0; c < fileChannels; ++c) sum += in[i + c];
    sound.samples.push_back(static_cast<short>(sum / fileChannels));
  }
}

// Decodes every section of the same format; a section of another format ends the sound.
const char* DecodeAll(OggVorbis_File& vf, SoundData& sound) {
  vorbis_info* info = ov_info(&vf, -1);
  if (info == nullptr || info->channels < 1 || info->rate < 1 || info->rate > 384000)
    return "unsupported format";
  const int fileChannels = info->channels;
  const long rate = info->rate;
  sound.rate = static_cast<int>(rate);
  sound.channels = fileChannels <= 2 ? fileChannels : 1;
  const ogg_int64_t total = ov_pcm_total(&vf, -1);  // only a hint: the header may lie
  if (total > 0 && total <= kMaxFrames)
    sound.samples.reserve(static_cast<std::size_t>(total) * sound.channels);
  std::vector<short> block(4096 * (fileChannels > 2 ? fileChannels : 2));
  int holes = 0;
  for (;;) {
    int section = 0;
    long got = ov_read(&vf, reinterpret_cast<char*>(block.data()),
                       static_cast<int>(block.size() * sizeof(short)), kBigEndian, 2, 1, &section);
    if (got == 0) break;
    if (got == OV_HOLE) {
      if (++holes > 1000) return "too many gaps in the stream";
      continue;
    }
    if (got < 0) {
      if (sound.samples.empty()) return "corrupt stream";
      break;  // keep what decoded before the damage
    }
    vorbis_info* now = ov_info(&vf, section);
    if (now == nullptr || now->channels != fileChannels || now->rate != rate) break;
    Append(sound, block.data(), got / static_cast<long>(sizeof(short)), fileChannels);
    if (static_cast<long>(sound.samples.size()) / sound.channels > kMaxFrames)
      return "longer than the sound limit";
  }
  sound.frames = static_cast<int>(sound.samples.size() / sound.channels);
  sound.samples.resize(static_cast<std::size_t>(sound.frames) * sound.channels);
  if (sound.frames == 0) return "no audio";
  return nullptr;
}

}  // namespace

Sound LoadSound(const std::string& url, int flags) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(url, bytes)) return Fail(url, "cannot read the file");
  if (bytes.empty()) return Fail(url, "empty file");
  MemoryFile mem{bytes.data(), bytes.size(), 0};
  ov_callbacks callbacks{ReadMem, SeekMem, CloseMem, TellMem};
  OggVorbis_File vf;
  if (ov_open_callbacks(&mem, &vf, nullptr, 0, callbacks) != 0)
    return Fail(url, "not an Ogg Vorbis file");
  auto sound = std::make_shared<SoundData>();
  const char* error = DecodeAll(vf, *sound);
  ov_clear(&vf);
  if (error != nullptr) return Fail(url, error);
  sound->loop = (flags & SOUND_LOOP) != 0;
  sound->samples.shrink_to_fit();
  return sound;
}

int SoundFrames(const Sound& sound) {
  return sound ? sound->frames : 0;
}
int SoundRate(const Sound& sound) {
  return sound ? sound->rate : 0;
}
int SoundChannels(const Sound& sound) {
  return sound ? sound->channels : 0;
}
const short* SoundSamples(const Sound& sound) {
  return sound && !sound->samples.empty() ? sound->samples.data() : nullptr;
}

}  // namespace media
