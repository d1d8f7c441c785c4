// The media readers: PNG pictures (LoadImage, LoadAnimImage), Ogg Vorbis sounds (LoadSound) and
// length-prefixed strings (ReadString), each fed from an "incbin::" blob and from a file.
#include "core/objects.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/sound.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {
namespace {

// The picture's size in range and every pixel of every frame there to read.
void CheckImage(const char* name, const media::Image& image, int frames) {
  const int w = media::ImageWidth(image), h = media::ImageHeight(image);
  bool ok = w >= 1 && h >= 1 && w <= 16384 && h <= 16384 && 1LL * w * h <= (1LL << 26) &&
            media::ImageFrames(image) == frames;
  for (int f = 0; f < frames; f++) {
    media::Pixmap p = media::LockImage(image, f);
    ok = ok && p.pixels && p.width == w && p.height == h &&
         media::ReadPixel(p, w - 1, h - 1) == p.pixels[1LL * (h - 1) * p.pitch + w - 1];
    media::UnlockImage(image, f);
  }
  FUZZ_CHECK(name, ok, "picture size, frames and pixels");
}

}  // namespace

int FuzzPng(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  constexpr const char* kName = "png";
  FreshWorld();
  media::RegisterEmbedded("fuzz.png", data, size);
  media::SetMaskColor(255, 0, 255);
  const media::Image image = media::LoadImage("incbin::fuzz.png", 0);
  const media::Image masked = media::LoadImage("incbin::fuzz.png", media::MASKEDIMAGE);
  SetTaken(image != nullptr);
  FUZZ_CHECK(kName, (image == nullptr) == (masked == nullptr), "masking does not change loading");
  WriteRootFile("fuzz.png", data, size);
  FUZZ_CHECK(kName, (media::LoadImage(Root() + "fuzz.png", 0) == nullptr) == (image == nullptr),
             "a file loads as its blob");
  if (!image) return 0;
  CheckImage(kName, image, 1);
  CheckImage(kName, masked, 1);
  // Cut into cells of a third of the width and half the height: as many as fit, not one more.
  const int w = media::ImageWidth(image), h = media::ImageHeight(image);
  const int cw = std::max(1, w / 3), ch = std::max(1, h / 2), across = w / cw,
            cells = across * (h / ch);
  const media::Image anim = media::LoadAnimImage("incbin::fuzz.png", cw, ch, 0, cells);
  FUZZ_CHECK(kName, anim && !media::LoadAnimImage("incbin::fuzz.png", cw, ch, 1, cells),
             "the cells that fit are cut, and no more");
  if (!anim) return 0;
  CheckImage(kName, anim, cells);
  media::Pixmap a = media::LockImage(anim, cells - 1), whole = media::LockImage(image, 0);
  FUZZ_CHECK(kName,
             media::ReadPixel(a, cw - 1, ch - 1) ==
                 media::ReadPixel(whole, ((cells - 1) % across) * cw + cw - 1,
                                  ((cells - 1) / across) * ch + ch - 1),
             "the last cell holds the picture's pixels");
  media::UnlockImage(anim, cells - 1);
  media::UnlockImage(image, 0);
  return 0;
}

int FuzzSound(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  constexpr const char* kName = "sound";
  FreshWorld();
  media::RegisterEmbedded("fuzz.ogg", data, size);
  const media::Sound sound = media::LoadSound("incbin::fuzz.ogg", size % 2 ? media::SOUND_LOOP : 0);
  SetTaken(sound != nullptr);
  if (!sound) return 0;
  const int frames = media::SoundFrames(sound), channels = media::SoundChannels(sound);
  FUZZ_CHECK(kName, channels == 1 || channels == 2, "one or two channels");
  FUZZ_CHECK(kName, media::SoundRate(sound) >= 1 && media::SoundRate(sound) <= 384000, "rate");
  FUZZ_CHECK(kName, frames >= 1 && frames <= (1 << 25), "frames in range");
  const short* samples = media::SoundSamples(sound);
  FUZZ_CHECK(kName, samples != nullptr, "the samples are there");
  if (samples)  // the last sample is there to read (the sanitizers watch this)
    static_cast<void>(*static_cast<const volatile short*>(samples + 1LL * frames * channels - 1));
  return 0;
}

int FuzzReadString(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  constexpr const char* kName = "readstring";
  FreshWorld();
  media::RegisterEmbedded("fuzz.bin", data, size);
  WriteRootFile("fuzz.bin", data, size);
  // The same strings through an embedded blob, a whole-file read and a read-write file, each at
  // most the bytes after its length, the stream never going back.
  std::vector<std::string> first;
  for (int way = 0; way < 3; way++) {
    media::Stream in = way == 0   ? media::ReadFile("incbin::fuzz.bin")
                       : way == 1 ? media::ReadFile(Root() + "FUZZ.bin")
                                  : media::OpenFile(Root() + "fuzz.bin");
    FUZZ_CHECK(kName, in != nullptr, "the stream opens");
    for (int reads = 0, pos = 0; in && reads < 64 && !media::Eof(in); reads++) {
      const std::string got = ReadString(in);
      FUZZ_CHECK(kName, media::StreamPos(in) >= pos + 4 || media::Eof(in), "a length is read");
      FUZZ_CHECK(kName, got.size() <= size - std::min<std::size_t>(size, pos + 4),
                 "no more than the file");
      pos = media::StreamPos(in);
      if (way == 0) first.push_back(got);
      FUZZ_CHECK(kName, way == 0 || (std::size_t(reads) < first.size() && first[reads] == got),
                 "every way reads the same strings");
    }
    if (in) media::CloseFile(in);
  }
  SetTaken(!first.empty() && !first[0].empty());
  return 0;
}

}  // namespace fuzz
