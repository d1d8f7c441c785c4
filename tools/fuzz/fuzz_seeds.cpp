// The built-in seeds: small sound inputs of every reader and a few near misses, made in code.
#include "tools/fuzz/fuzz_seeds.h"

#include <png.h>

#include <array>
#include <cmath>
#include <cstring>

#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"
#include "tools/sfxgen/vorbis_out.h"

namespace fuzz {

stagefile::Data BaselineStage() {
  stagefile::Data s;
  s.roomRecords = {{1, 0}, {0, 0}};
  for (int row = 0; row < 24; row++)
    for (int column = 0; column < 32; column++) {
      s.Cell(0, 0, column, row) = row == 23 ? 1 : (column == 5 ? 3 : 0);
      s.Cell(1, 0, column, row) = row == 23 ? 2 : (column + row) % 3 == 0 ? 88 : 0;
    }
  s.enemies = {{3, 5, 0, 0, 1, 0}, {10, 20, 2, 8, 0, 0}};
  s.traps = {{4, 10, 0, 0, 4, 0, 0},
             {6, 12, 1, 1, 0, 1, 0},
             {8, 2, 2, 0, 0, 0, 0},
             {12, 3, 3, 0, 5, 0, 0},
             {20, 4, 4, 0, 6, 1, 0}};
  s.items = {{7, 8, 6, 48, 0, 0}, {9, 9, 2, 16, 1, 0}};
  s.playerX = 2, s.playerY = 21, s.playerRoomX = 0, s.playerRoomY = 0;
  s.doorX = 20, s.doorY = 19, s.doorFrame = 2, s.doorRoomX = 1, s.doorRoomY = 0;
  s.Worldtheme = 3, s.BackGround = 7;
  s.statues = {{12, 2, 1, 0, 0}};
  return s;
}

namespace {

using Bytes8 = std::vector<std::uint8_t>;

void Put32(Bytes8& b, std::int64_t v) {
  for (int i = 0; i < 4; i++) b.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 255));
}

// The far corner of the world: room (5, 5), objects at the last cells that fit.
stagefile::Data CornerStage() {
  stagefile::Data s;
  s.signature = {21, 0, 0, 0};
  s.roomRecords = {{5, 5}, {5, 5}};
  for (int row = 0; row < 24; row++)
    for (int column = 0; column < 32; column++) s.Cell(5, 5, column, row) = (row * 7 + column) % 5;
  s.enemies = {{35, 25, 3, 24, 5, 5}};
  s.traps = {{36, 0, 0, 0, 25, 5, 5}, {35, 23, 7, 4, 4, 5, 5}, {36, 26, 9, 0, 0, 5, 5},
             {33, 25, 1, 0, 0, 5, 5}, {35, 24, 2, 0, 0, 5, 5}, {35, 26, 3, 0, 0, 5, 5}};
  s.items = {{36, 26, 0, 0, 5, 5}};
  s.playerX = 35, s.playerY = 25, s.playerRoomX = 5, s.playerRoomY = 5;
  s.doorX = 33, s.doorY = 23, s.doorFrame = 9, s.doorRoomX = 5, s.doorRoomY = 5;
  s.Worldtheme = 5, s.BackGround = 11;
  s.statues = {{36, 26, 0, 5, 5}};
  return s;
}

std::vector<Seed> StageSeeds() {
  Bytes8 base = stagefile::Encode(BaselineStage());
  std::vector<Seed> out = {{"baseline", base}, {"corner", stagefile::Encode(CornerStage())}};
  stagefile::Data empty;
  empty.roomRecords = {{0, 0}};
  out.push_back({"one-empty-room", stagefile::Encode(empty)});
  out.push_back({"cut-in-cells", Bytes8(base.begin(), base.begin() + 400)});
  out.push_back({"cut-before-statues", Bytes8(base.begin(), base.end() - 8)});
  Bytes8 b = base;
  b[0] = 5;
  out.push_back({"bad-signature", b});
  b = base;
  b[5] = 6;
  out.push_back({"room-outside", b});
  stagefile::Data far = BaselineStage();
  far.Worldtheme = 6;
  out.push_back({"theme-6", stagefile::Encode(far)});
  far = BaselineStage();
  far.traps[0].Height = 200;
  out.push_back({"tall-trap", stagefile::Encode(far)});
  out.push_back({"signature-only", {4, 7, 9, 1}});
  return out;
}

Bytes8 Replay(int n, const std::vector<std::pair<int, std::int64_t>>& runs) {
  Bytes8 b;
  Put32(b, n);
  for (auto [code, count] : runs) {
    b.push_back(static_cast<std::uint8_t>(code));
    Put32(b, count);
  }
  return b;
}

std::vector<Seed> ReplaySeeds() {
  std::vector<Seed> out = {
      {"one-run", Replay(1, {{2, 30}, {5, 7}})},
      {"three-runs", Replay(3, {{1, 4}, {7, 18}, {11, 2}, {100, 0}})},
      {"player-folder", Replay(1, {{1, 0}, {1, 0}})},
      {"zero-runs", Replay(0, {{1, 4}})},
      {"too-many-runs", Replay(5001, {{1, 4}})},
      {"short", Replay(4, {{1, 4}, {2, 5}})},
      {"huge-counts", Replay(2, {{3, 2147483647}, {4, -2147483648LL}, {5, -1}})},
  };
  out[2].bytes[0] = 1;  // odd first byte: read from PlayerLevels/
  std::vector<std::pair<int, std::int64_t>> full;
  for (int i = 0; i <= 5000; i++) full.push_back({i % 12, i % 3});
  out.push_back({"full-table", Replay(5000, full)});
  return out;
}

Bytes8 Language(int language, const std::string& quit, const std::string& lang) {
  Bytes8 b = {static_cast<std::uint8_t>(language), static_cast<std::uint8_t>(quit.size())};
  b.insert(b.end(), quit.begin(), quit.end());
  b.insert(b.end(), lang.begin(), lang.end());
  return b;
}

std::vector<Seed> LanguageSeeds() {
  std::string many;
  for (int i = 0; i < 190; i++) many += "Line " + std::to_string(i) + "\r\n";
  return {
      {"english", Language(1, "Yes\nNo\n", many)},
      {"french", Language(2, "oui\r\nnon", std::string("Un\0Deux\nTrois", 14))},
      {"german", Language(3, "", "")},
      {"italian", Language(4, "\n\n", "\n\n\n")},
      {"none", Language(0, "Y\nN\n", "x\n")},
  };
}

Bytes8 Settings(int flags, const Bytes8& prefs, const Bytes8& country, const Bytes8& played) {
  Bytes8 b = {static_cast<std::uint8_t>(flags), static_cast<std::uint8_t>(prefs.size()),
              static_cast<std::uint8_t>(country.size())};
  b.insert(b.end(), prefs.begin(), prefs.end());
  b.insert(b.end(), country.begin(), country.end());
  b.insert(b.end(), played.begin(), played.end());
  return b;
}

std::vector<Seed> SettingsSeeds() {
  Bytes8 played(70);
  for (int k = 0; k < 70; k++) played[k] = static_cast<std::uint8_t>(k % 3);
  return {
      {"all-files", Settings(7, {1}, {2}, played)},
      {"none", Settings(0, {}, {}, {})},
      {"empty-files", Settings(7, {}, {}, {})},
      {"odd-values", Settings(7, {200, 1}, {9}, {255, 1, 2})},
      {"lower-case-played", Settings(12, {}, {}, Bytes8(100, 1))},
      {"read-only-prefs", Settings(17, {2}, {}, {})},
  };
}

std::vector<Seed> KeysSeeds() {
  std::string many;
  for (int i = 0; i < 120; i++) many += "K" + std::to_string(i) + "," + std::to_string(i) + "\n";
  return {
      {"two-keys", Bytes("A,65\r\nB,66\n")},
      {"odd-lines", Bytes(std::string(",\nnocomma\n,,7\n\0\nSPACE,32", 25))},
      {"many", Bytes(many)},
  };
}

// A picture through libpng's simple writer in the given format.
Bytes8 Png(int width, int height, png_uint_32 format) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  for (std::size_t i = 0; i < pixels.size(); i++) pixels[i] = static_cast<png_byte>(i * 37 + 11);
  std::vector<png_color> palette(256);
  for (int i = 0; i < 256; i++) palette[i] = {png_byte(i), png_byte(255 - i), png_byte(i * 3)};
  const void* colormap = nullptr;
  std::vector<png_byte> map;
  if (format & PNG_FORMAT_FLAG_COLORMAP) {
    image.colormap_entries = 4;
    map.resize(PNG_IMAGE_COLORMAP_SIZE(image));
    for (std::size_t i = 0; i < map.size(); i++) map[i] = static_cast<png_byte>(i * 61);
    colormap = map.data();
    for (auto& p : pixels) p %= 4;
  }
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, colormap)) return {};
  Bytes8 out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, colormap))
    return {};
  out.resize(size);
  return out;
}

std::vector<Seed> PngSeeds() {
  Bytes8 rgba = Png(6, 4, PNG_FORMAT_RGBA);
  std::vector<Seed> out = {
      {"rgba", rgba},
      {"rgb", Png(5, 3, PNG_FORMAT_RGB)},
      {"gray", Png(7, 2, PNG_FORMAT_GRAY)},
      {"gray-alpha", Png(3, 3, PNG_FORMAT_GA)},
      {"palette", Png(4, 4, PNG_FORMAT_RGB_COLORMAP)},
      {"palette-alpha", Png(4, 2, PNG_FORMAT_RGBA_COLORMAP)},
      {"sixteen-bit", Png(3, 5, PNG_FORMAT_LINEAR_RGB_ALPHA)},
      {"one-pixel", Png(1, 1, PNG_FORMAT_RGB)},
  };
  if (rgba.size() > 40) out.push_back({"cut", Bytes8(rgba.begin(), rgba.end() - 20)});
  out.push_back({"signature-only", {137, 80, 78, 71, 13, 10, 26, 10}});
  return out;
}

// A short sine as Ogg Vorbis, channel c at its own pitch.
Bytes8 Ogg(int rate, int channels, int frames) {
  std::vector<float> samples;
  for (int i = 0; i < frames; i++)
    for (int c = 0; c < channels; c++)
      samples.push_back(static_cast<float>(0.5 * std::sin(0.05 * i * (c + 1))));
  return sfxgen::EncodeVorbis(samples, channels, rate, 0.0f, 4242);
}

std::vector<Seed> SoundSeeds() {
  Bytes8 mono = Ogg(8000, 1, 600);
  std::vector<Seed> out = {
      {"mono", mono}, {"stereo", Ogg(11025, 2, 300)}, {"three-channels", Ogg(8000, 3, 200)}};
  if (mono.size() > 100) out.push_back({"cut", Bytes8(mono.begin(), mono.end() - 60)});
  out.push_back(
      {"header-only", Bytes8(mono.begin(), mono.begin() + std::min<std::size_t>(58, mono.size()))});
  return out;
}

std::vector<Seed> ReadStringSeeds() {
  Bytes8 two;
  Put32(two, 5);
  for (char c : std::string("hello")) two.push_back(static_cast<std::uint8_t>(c));
  Put32(two, 3);
  two.insert(two.end(), {'a', 'b', 'c'});
  Bytes8 odd;
  Put32(odd, -1);
  Put32(odd, 0);
  Put32(odd, 1048576);
  Put32(odd, 1048575);
  odd.insert(odd.end(), {'x', 'y'});
  Bytes8 shortLength = {7, 0};
  return {{"two-strings", two}, {"odd-lengths", odd}, {"short-length", shortLength}};
}

std::vector<Seed> StageSourceSeeds() {
  std::string room;
  for (int row = 0; row < 24; row++)
    room += row == 23 ? std::string(32, '#') : "..H|" + std::string(26, '.') + "XB\n";
  room.insert(room.size(), "\n");
  std::string text =
      "# a small stage\ntheme 2\nbackdrop 4\nplayer 2 20 room 0 0\n"
      "door 20 19 gold 1 room 0 0\nroom 0 0\n" +
      room +
      "enemy 3 5 kind 0 frame 0 room 0 0\n"
      "trap 4 10 kind 0 frame 0 height 4 room 0 0\n"
      "item 7 8 kind 6 frame 48 room 0 0\nstatue 12 2 frame 1 room 0 0\n";
  std::string twice = text + "room 0 0\n" + room + "room 1 0\n" + room;
  return {{"small", Bytes(text)},
          {"room-twice", Bytes(twice)},
          {"no-room", Bytes("theme 1\nplayer 1 1 room 0 0\ndoor 1 1 gold 0 room 0 0\n")},
          {"bad-word", Bytes("wall 1 2\n")}};
}

std::vector<Seed> ScriptSeeds() {
  return {
      {"every-event",
       Bytes("# a run\n0 key down LEFT\n3 key up left\n4 press F12\n5 press a\n6 type Hello there\n"
             "7 mouse 10 -20\n8 click 1\n9 button down 3\n9 button up 3\n10 joy down 31\n"
             "11 joy up 0\n12 joy axis x -32768\n12 joy axis 1 32767\r\n13 key down 255\n")},
      {"bad-key", Bytes("0 key down NOPE\n")},
      {"bad-frame", Bytes("-1 press A\n")},
      {"empty-type", Bytes("\n\n  5 type \n")},
  };
}

// Play inputs: a mode byte (odd: a replay from the bytes), five bytes of the rooms that exist,
// the trap records (count, then X, Y, Kind, Frame, Height, Roomx, Roomy each), the player's
// start, then the keys of each tick (bits: left, right, up, down; both top bits a Space press).
std::vector<Seed> PlaySeeds() {
  auto input = [](int mode, std::uint64_t rooms, const std::vector<std::array<int, 7>>& traps,
                  int key) {
    Bytes8 b = {static_cast<std::uint8_t>(mode)};
    for (int i = 0; i < 5; i++) b.push_back(static_cast<std::uint8_t>(rooms >> (8 * i)));
    b.push_back(static_cast<std::uint8_t>(traps.size()));
    for (const auto& t : traps) b.insert(b.end(), t.begin(), t.end());
    b.insert(b.end(), {4, 18});
    for (int i = 0; i < 200; i++) b.push_back(static_cast<std::uint8_t>(i % 50 == 49 ? 0x32 : key));
    return b;
  };
  // Every kind beside the player's start, and in room (3, 3), which does not exist.
  std::vector<std::array<int, 7>> every;
  for (int kind = 0; kind < 8; kind++) {
    every.push_back({6 + 3 * kind, kind == 0 ? 10 : 16, kind, 4 * kind, kind == 0 ? 8 : 5, 0, 0});
    every.push_back({2 + 3 * kind, 4, kind, 0, 3, 3, 3});
  }
  // Stones and walls at the world's edges: the last room column and row, rows 23 and 24.
  const std::vector<std::array<int, 7>> edges = {{30, 23, 2, 0, 0, 5, 5}, {31, 24, 2, 0, 0, 5, 5},
                                                 {0, 24, 2, 0, 0, 0, 5},  {35, 0, 0, 0, 20, 5, 5},
                                                 {0, 0, 0, 0, 1, 0, 0},   {34, 20, 3, 0, 6, 5, 5},
                                                 {30, 1, 2, 0, 0, 1, 0},  {0, 1, 2, 0, 0, 0, 0}};
  const std::uint64_t rooms = 1 | 1 << 1 | 1 << 6 | std::uint64_t(1) << 35;
  return {{"every-kind", input(0, rooms, every, 2)},
          {"replayed", input(1, rooms, every, 7)},
          {"edges", input(2, rooms | std::uint64_t(1) << 30, edges, 1)}};
}

}  // namespace

std::vector<Seed> SeedsFor(const std::string& target) {
  if (target == "play") return PlaySeeds();
  if (target == "stage") return StageSeeds();
  if (target == "replay") return ReplaySeeds();
  if (target == "language") return LanguageSeeds();
  if (target == "settings") return SettingsSeeds();
  if (target == "keys") return KeysSeeds();
  if (target == "png") return PngSeeds();
  if (target == "sound") return SoundSeeds();
  if (target == "readstring") return ReadStringSeeds();
  if (target == "stagesource") return StageSourceSeeds();
  if (target == "script") return ScriptSeeds();
  return {};
}

}  // namespace fuzz
