// The media readers: PNG pictures (LoadImage, LoadAnimImage), Ogg Vorbis sounds (LoadSound)
// and length-prefixed strings (ReadString), each fed from an "incbin::" blob and from a file.
#include <climits>

#include "core/objects.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/sound.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {
namespace {

constexpr int kMaxSide = 16384;
constexpr long long kMaxPixels = 1LL << 26;

void CheckImage(const char* name, const media::Image& image, int frames) {
  const int w = media::ImageWidth(image), h = media::ImageHeight(image);
  FUZZ_CHECK(name, w >= 1 && h >= 1 && w <= kMaxSide && h <= kMaxSide, "picture size");
  FUZZ_CHECK(name, static_cast<long long>(w) * h <= kMaxPixels, "picture pixels");
  FUZZ_CHECK(name, media::ImageFrames(image) == frames, "picture frames");
  // Every pixel of every frame is there to read.
  unsigned sum = 0;
  for (int f = 0; f < media::ImageFrames(image); f++) {
    media::Pixmap p = media::LockImage(image, f);
    FUZZ_CHECK(name, p.pixels != nullptr && p.width == w && p.height == h, "locked frame");
    if (p.pixels)
      for (long long i = 0; i < static_cast<long long>(w) * h; i++) sum += p.pixels[i];
    media::UnlockImage(image, f);
  }
  (void)sum;
}

}  // namespace

int FuzzPng(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  constexpr const char* kName = "png";
  FreshWorld();
  media::RegisterEmbedded("fuzz.png", data, size);
  media::SetMaskColor(255, 0, 255);
  media::Image image = media::LoadImage("incbin::fuzz.png", 0);
  media::Image masked = media::LoadImage("incbin::fuzz.png", media::MASKEDIMAGE);
  FUZZ_CHECK(kName, (image == nullptr) == (masked == nullptr), "masking does not change loading");
  if (image) {
    CheckImage(kName, image, 1);
    CheckImage(kName, masked, 1);
    // Cut into cells: a third of the width, half the height, as many cells as fit and one more.
    const int w = media::ImageWidth(image), h = media::ImageHeight(image);
    const int cw = std::max(1, w / 3), ch = std::max(1, h / 2);
    const int cells = (w / cw) * (h / ch);
    media::Image anim = media::LoadAnimImage("incbin::fuzz.png", cw, ch, 0, cells);
    FUZZ_CHECK(kName, anim != nullptr, "the cells that fit are cut");
    if (anim) {
      CheckImage(kName, anim, cells);
      // The last cell's last pixel is the picture's pixel there.
      const int last = cells - 1;
      const int across = w / cw;
      const int x = (last % across) * cw + cw - 1, y = (last / across) * ch + ch - 1;
      media::Pixmap a = media::LockImage(anim, last), whole = media::LockImage(image, 0);
      FUZZ_CHECK(kName, media::ReadPixel(a, cw - 1, ch - 1) == media::ReadPixel(whole, x, y),
                 "a cell holds the picture's pixels");
      media::UnlockImage(anim, last);
      media::UnlockImage(image, 0);
    }
    FUZZ_CHECK(kName, media::LoadAnimImage("incbin::fuzz.png", cw, ch, 1, cells) == nullptr,
               "more cells than fit are refused");
  }
  // The same bytes from a file.
  WriteRootFile("fuzz.png", data, size);
  media::Image fromFile = media::LoadImage(Root() + "fuzz.png", 0);
  FUZZ_CHECK(kName, (fromFile == nullptr) == (image == nullptr), "a file loads as its blob");
  media::ClearEmbedded();
  return 0;
}

int FuzzSound(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  constexpr const char* kName = "sound";
  FreshWorld();
  media::RegisterEmbedded("fuzz.ogg", data, size);
  media::Sound sound = media::LoadSound("incbin::fuzz.ogg", size % 2 ? media::SOUND_LOOP : 0);
  if (sound) {
    const int frames = media::SoundFrames(sound), channels = media::SoundChannels(sound);
    const int rate = media::SoundRate(sound);
    FUZZ_CHECK(kName, channels == 1 || channels == 2, "one or two channels");
    FUZZ_CHECK(kName, rate >= 1 && rate <= 384000, "rate in range");
    FUZZ_CHECK(kName, frames >= 1 && frames <= (1 << 25), "frames in range");
    const short* samples = media::SoundSamples(sound);
    FUZZ_CHECK(kName, samples != nullptr, "the samples are there");
    long long sum = 0;
    if (samples)
      for (long long i = 0; i < static_cast<long long>(frames) * channels; i++) sum += samples[i];
    (void)sum;
  }
  media::ClearEmbedded();
  return 0;
}

int FuzzReadString(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  constexpr const char* kName = "readstring";
  FreshWorld();
  media::RegisterEmbedded("fuzz.bin", data, size);
  WriteRootFile("fuzz.bin", data, size);
  // The same reads through an embedded blob, a whole-file read and a read-write file.
  for (int way = 0; way < 3; way++) {
    media::Stream in = way == 0   ? media::ReadFile("incbin::fuzz.bin")
                       : way == 1 ? media::ReadFile(Root() + "FUZZ.bin")
                                  : media::OpenFile(Root() + "fuzz.bin");
    FUZZ_CHECK(kName, in != nullptr, "the stream opens");
    if (!in) continue;
    std::size_t pos = 0;
    for (int reads = 0; reads < 64 && !media::Eof(in); reads++) {
      std::uint32_t u = 0;
      for (int b = 0; b < 4; b++) u |= pos + b < size ? std::uint32_t(data[pos + b]) << (8 * b) : 0;
      const int n = size - pos >= 4 ? static_cast<std::int32_t>(u) : 0;
      pos = std::min(size, pos + 4);
      std::string want;
      if (n >= 1 && n < 1048576) {
        std::size_t take = std::min<std::size_t>(n, size - pos);
        want.assign(reinterpret_cast<const char*>(data + pos), take);
        pos += take;
      }
      std::string got = ReadString(in);
      if (got != want) {
        ReportFault(kName, "string " + std::to_string(reads) + " is not the file's");
        break;
      }
      FUZZ_CHECK(kName, media::StreamPos(in) == static_cast<int>(pos), "stream position");
    }
    media::CloseFile(in);
  }
  media::ClearEmbedded();
  return 0;
}

}  // namespace fuzz
