// The built-in seeds: small inputs every reader takes, and near misses it refuses, made in code.
#include <png.h>

#include <array>
#include <cmath>
#include <cstring>

#include "tools/fuzz/fuzz_targets.h"
#include "tools/sfxgen/vorbis_out.h"

namespace fuzz {

using Bytes8 = std::vector<std::uint8_t>;

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

Bytes8 B(const std::string& text) {
  return {text.begin(), text.end()};
}

void Put32(Bytes8& b, std::int64_t v) {
  for (int i = 0; i < 4; i++) b.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 255));
}

std::vector<Seed> StageSeeds() {
  const Bytes8 base = stagefile::Encode(BaselineStage());
  stagefile::Data empty, theme6 = BaselineStage(), tall = BaselineStage(), low = BaselineStage();
  empty.roomRecords = {{0, 0}};
  theme6.Worldtheme = 6;
  tall.traps[0].Height = 200;
  low.traps[0] = {4, 20, 0, 0, 6, 0, 5};  // a brick column one row past the grid's last
  Bytes8 badSignature = base, roomOutside = base;
  badSignature[0] = 5;
  roomOutside[5] = 6;
  return {{"baseline", base, true},
          {"one-empty-room", stagefile::Encode(empty), true},
          {"cut-in-cells", Bytes8(base.begin(), base.begin() + 400), false},
          {"cut-before-statues", Bytes8(base.begin(), base.end() - 8), false},
          {"bad-signature", badSignature, false},
          {"room-outside", roomOutside, false},
          {"theme-6", stagefile::Encode(theme6), false},
          {"tall-trap", stagefile::Encode(tall), false},
          {"trap-past-the-floor", stagefile::Encode(low), false},
          {"signature-only", {4, 7, 9, 1}, false}};
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
  std::vector<std::pair<int, std::int64_t>> full;
  for (int i = 0; i <= 5000; i++) full.push_back({i % 12, i % 3});
  return {
      {"three-runs", Replay(3, {{1, 4}, {7, 18}, {11, 2}, {100, 0}}), true},
      {"odd-first-byte", Replay(1, {{1, 0}, {1, 0}}), true},  // read from PlayerLevels/
      {"huge-counts", Replay(2, {{3, 2147483647}, {4, -2147483648LL}, {5, -1}}), true},
      {"full-table", Replay(5000, full), true},
      {"zero-runs", Replay(0, {{1, 4}}), false},
      {"too-many-runs", Replay(5001, std::vector(5002, std::pair<int, std::int64_t>{1, 4})), false},
      {"short", Replay(4, {{1, 4}, {2, 5}}), false}};
}

// Language input: language, the length of quit.txt's part, quit.txt, then Lang.txt.
Bytes8 Language(int language, const std::string& quit, const std::string& lang) {
  return B(std::string(1, static_cast<char>(language)) + static_cast<char>(quit.size()) + quit +
           lang);
}

std::vector<Seed> LanguageSeeds() {
  std::string many;
  for (int i = 0; i < 190; i++) many += "Line " + std::to_string(i) + "\r\n";
  return {{"english", Language(1, "Yes\nNo\n", many), true},
          {"french", Language(2, "oui\r\nnon", std::string("Un\0Deux\nTrois", 14)), true},
          {"italian", Language(4, "\n\n", "\n\n\n"), true},
          {"none", Language(0, "Y\nN\n", "x\n"), false}};
}

// Settings input: which files exist (see fuzz_settings.cpp), the lengths of prefs.ini's and
// Country.ini's parts, the parts, then Played.Bin.
Bytes8 Settings(int flags, const Bytes8& prefs, const Bytes8& country, const Bytes8& played) {
  Bytes8 b = {static_cast<std::uint8_t>(flags), static_cast<std::uint8_t>(prefs.size()),
              static_cast<std::uint8_t>(country.size())};
  for (const Bytes8* part : {&prefs, &country, &played})
    b.insert(b.end(), part->begin(), part->end());
  return b;
}

std::vector<Seed> SettingsSeeds() {
  return {{"all-files", Settings(7, {1}, {2}, Bytes8(70, 1)), true},
          {"odd-values", Settings(7, {200, 1}, {9}, {255, 1, 2}), true},
          {"none", Settings(0, {}, {}, {}), false},
          {"empty-files", Settings(7, {}, {}, {}), false},
          {"lower-case-played", Settings(12, {}, {}, Bytes8(100, 1)), false},
          {"read-only-prefs", Settings(17, {2}, {}, {}), false}};
}

std::vector<Seed> KeysSeeds() {
  std::string many;
  for (int i = 0; i < 120; i++) many += "K" + std::to_string(i) + "," + std::to_string(i) + "\n";
  return {{"two-keys", B("A,65\r\nB,66\n"), true},
          {"odd-lines", B(std::string(",\nnocomma\n,,7\n\0\nSPACE,32", 25)), true},
          {"many", B(many), true},
          {"empty", {}, false}};
}

// A picture through libpng's simple writer in the given format.
Bytes8 Png(int width, int height, png_uint_32 format) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image)), map;
  for (std::size_t i = 0; i < pixels.size(); i++) pixels[i] = static_cast<png_byte>(i * 37 + 11);
  if (format & PNG_FORMAT_FLAG_COLORMAP) {
    image.colormap_entries = 4;
    map.resize(PNG_IMAGE_COLORMAP_SIZE(image));
    for (std::size_t i = 0; i < map.size(); i++) map[i] = static_cast<png_byte>(i * 61);
    for (auto& p : pixels) p %= 4;
  }
  png_alloc_size_t size = 0;
  const void* colormap = map.empty() ? nullptr : map.data();
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, colormap)) return {};
  Bytes8 out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, colormap))
    return {};
  out.resize(size);
  return out;
}

std::vector<Seed> PngSeeds() {
  const Bytes8 rgba = Png(6, 4, PNG_FORMAT_RGBA);
  return {{"rgba", rgba, true},
          {"rgb", Png(5, 3, PNG_FORMAT_RGB), true},
          {"palette", Png(4, 4, PNG_FORMAT_RGB_COLORMAP), true},
          {"sixteen-bit", Png(3, 5, PNG_FORMAT_LINEAR_RGB_ALPHA), true},
          {"cut", Bytes8(rgba.begin(), rgba.end() - 20), false},
          {"signature-only", {137, 80, 78, 71, 13, 10, 26, 10}, false}};
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
  const Bytes8 mono = Ogg(8000, 1, 600);
  return {{"mono", mono, true},
          {"stereo", Ogg(11025, 2, 300), true},
          {"three-channels", Ogg(8000, 3, 200), true},
          {"header-only", Bytes8(mono.begin(), mono.begin() + 58), false}};
}

std::vector<Seed> ReadStringSeeds() {
  Bytes8 two, odd;
  Put32(two, 5);
  for (char c : std::string("hello")) two.push_back(static_cast<std::uint8_t>(c));
  Put32(two, 3);
  two.insert(two.end(), {'a', 'b', 'c'});
  for (int n : {-1, 0, 1048576, 1048575}) Put32(odd, n);  // the limit: 1048576 reads as ""
  odd.insert(odd.end(), {'x', 'y'});
  return {{"two-strings", two, true}, {"odd-lengths", odd, false}, {"short-length", {7, 0}, false}};
}

std::vector<Seed> StageSourceSeeds() {
  std::string room;
  for (int row = 0; row < 24; row++)
    room += row == 23 ? std::string(32, '#') : "..H|" + std::string(26, '.') + "XB\n";
  room += "\n";
  const std::string text =
      "# a small stage\ntheme 2\nbackdrop 4\nplayer 2 20 room 0 0\ndoor 20 19 gold 1 room 0 0\n"
      "room 0 0\n" +
      room +
      "enemy 3 5 kind 0 frame 0 room 0 0\ntrap 4 10 kind 0 frame 0 height 4 room 0 0\n"
      "item 7 8 kind 6 frame 48 room 0 0\nstatue 12 2 frame 1 room 0 0\n";
  return {{"small", B(text), true},
          {"room-twice", B(text + "room 0 0\n" + room + "room 1 0\n" + room), true},
          {"bad-word", B("wall 1 2\n"), false}};
}

std::vector<Seed> ScriptSeeds() {
  return {{"every-event",
           B("# a run\n0 key down LEFT\n3 key up left\n4 press F12\n5 press a\n6 type Hello there\n"
             "7 mouse 10 -20\n8 click 1\n9 button down 3\n9 button up 3\n10 joy down 31\n"
             "11 joy up 0\n12 joy axis x -32768\n12 joy axis 1 32767\r\n13 key down 255\n"),
           true},
          {"bad-key", B("0 key down NOPE\n"), false},
          {"bad-frame", B("-1 press A\n"), false},
          {"joystick-button-32", B("0 joy down 32\n"), false}};
}

// Play inputs: a mode byte (odd: a replay from the bytes), five bytes of the rooms that exist,
// the trap records (count, then X, Y, Kind, Frame, Height, Roomx, Roomy each), the enemy records
// (count, then x, y, Kind, frame, OriginRoomX, OriginRoomY each), the player's start, then the
// keys of each tick (bits: left, right, up, down; both top bits a Space press).
std::vector<Seed> PlaySeeds() {
  using Traps = std::vector<std::array<int, 7>>;
  using Enemies = std::vector<std::array<int, 6>>;
  auto input = [](int mode, std::uint64_t rooms, const Traps& traps, const Enemies& enemies,
                  int key) {
    Bytes8 b = {static_cast<std::uint8_t>(mode)};
    for (int i = 0; i < 5; i++) b.push_back(static_cast<std::uint8_t>(rooms >> (8 * i)));
    b.push_back(static_cast<std::uint8_t>(traps.size()));
    for (const auto& t : traps) b.insert(b.end(), t.begin(), t.end());
    b.push_back(static_cast<std::uint8_t>(enemies.size()));
    for (const auto& e : enemies) b.insert(b.end(), e.begin(), e.end());
    b.insert(b.end(), {4, 18});
    for (int i = 0; i < 200; i++) b.push_back(static_cast<std::uint8_t>(i % 50 == 49 ? 0x32 : key));
    return b;
  };
  // Every trap and enemy kind (4 and 5 are none the game knows, frames the editor never writes)
  // beside the player's start, and in room (3, 3), which does not exist.
  Traps traps;
  Enemies enemies;
  for (int kind = 0; kind < 8; kind++) {
    traps.push_back({6 + 3 * kind, kind == 0 ? 10 : 16, kind, 4 * kind, kind == 0 ? 8 : 5, 0, 0});
    traps.push_back({2 + 3 * kind, 4, kind, 0, 3, 3, 3});
    if (kind < 6)
      enemies.push_back({8 + 4 * kind, 20, kind, 40 * kind + 1, 0, 0}),
          enemies.push_back({4 * kind, 2, kind, 255 - kind, 3, 3});
  }
  // Stones, walls and enemies at the world's edges: the last room column and row, rows 23, 24.
  const Traps edgeTraps = {{30, 23, 2, 0, 0, 5, 5}, {31, 24, 2, 0, 0, 5, 5},
                           {0, 24, 2, 0, 0, 0, 5},  {35, 0, 0, 0, 20, 5, 5},
                           {0, 0, 0, 0, 1, 0, 0},   {34, 20, 3, 0, 6, 5, 5},
                           {30, 1, 2, 0, 0, 1, 0},  {0, 1, 2, 0, 0, 0, 0}};
  const Enemies edgeEnemies = {{36, 26, 2, 0, 5, 5},  {0, 0, 3, 7, 0, 0},    {36, 0, 0, 9, 5, 0},
                               {0, 26, 1, 200, 0, 5}, {34, 24, 2, 26, 0, 1}, {31, 5, 3, 0, 0, 0}};
  const std::uint64_t rooms = 1 | 1 << 1 | 1 << 6 | std::uint64_t(1) << 35;
  return {{"every-kind", input(0, rooms, traps, enemies, 2), true},
          {"replayed", input(1, rooms, traps, enemies, 7), true},
          {"edges", input(2, rooms | std::uint64_t(1) << 30, edgeTraps, edgeEnemies, 1), true}};
}

}  // namespace

std::vector<Seed> SeedsFor(const std::string& target) {
  static const std::pair<const char*, std::vector<Seed> (*)()> kMakers[] = {
      {"stage", StageSeeds},
      {"replay", ReplaySeeds},
      {"language", LanguageSeeds},
      {"settings", SettingsSeeds},
      {"keys", KeysSeeds},
      {"png", PngSeeds},
      {"sound", SoundSeeds},
      {"readstring", ReadStringSeeds},
      {"stagesource", StageSourceSeeds},
      {"script", ScriptSeeds},
      {"play", PlaySeeds}};
  for (const auto& [name, make] : kMakers)
    if (target == name) return make();
  return {};
}

}  // namespace fuzz
