// The built-in seeds: small inputs every reader takes, and near misses it refuses, made in code.
#include <array>
#include <cmath>

#include "media/graphics.h"
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
  s.playerX = 2, s.playerY = 21, s.doorX = 20, s.doorY = 19, s.doorFrame = 2, s.doorRoomX = 1;
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
  stagefile::Data theme6 = BaselineStage(), low = BaselineStage();
  theme6.Worldtheme = 6;
  low.traps[0] = {4, 20, 0, 0, 6, 0, 5};  // a brick column one row past the grid's last
  Bytes8 roomOutside = base;
  roomOutside[5] = 6;
  return {{"baseline", base, true},
          {"cut-before-statues", Bytes8(base.begin(), base.end() - 8), false},
          {"room-outside", roomOutside, false},
          {"theme-6", stagefile::Encode(theme6), false},
          {"trap-past-the-floor", stagefile::Encode(low), false}};
}

Bytes8 Replay(int n, const std::vector<std::pair<int, std::int64_t>>& runs) {
  Bytes8 b;
  Put32(b, n);
  for (auto [code, count] : runs) b.push_back(static_cast<std::uint8_t>(code)), Put32(b, count);
  return b;
}

std::vector<Seed> ReplaySeeds() {
  std::vector<std::pair<int, std::int64_t>> full;
  for (int i = 0; i <= 5000; i++) full.push_back({i % 12, i % 3});
  return {
      {"odd-first-byte", Replay(1, {{1, 0}, {1, 0}}), true},  // read from PlayerLevels/
      {"huge-counts", Replay(2, {{3, 2147483647}, {4, -2147483648LL}, {5, -1}}), true},
      {"full-table", Replay(5000, full), true},
      {"too-many-runs", Replay(5001, std::vector(5002, std::pair<int, std::int64_t>{1, 4})), false},
      {"short", Replay(4, {{1, 4}, {2, 5}}), false}};
}

std::vector<Seed> TextSeeds(const std::string& target) {
  std::string many, keys;
  for (int i = 0; i < 190; i++) many += "Line " + std::to_string(i) + "\r\n";
  for (int i = 0; i < 120; i++) keys += "K" + std::to_string(i) + "," + std::to_string(i) + "\n";
  // Language: the language, the length of quit.txt's part, quit.txt, then Lang.txt.
  if (target == "language")
    return {{"english", B("\1\7Yes\nNo\n" + many), true},
            {"french", B(std::string("\2\10oui\r\nnonUn\0Deux\nTrois", 24)), true},
            {"none", B(std::string("\0\4Y\nN\nx\n", 8)), false}};
  return {{"odd-lines", B(std::string(",\nnocomma\n,,7\n\0\nSPACE,32", 25)), true},
          {"many", B(keys), true},
          {"empty", {}, false}};
}

// Settings: which files exist (see fuzz_settings.cpp), the lengths of prefs.ini's and
// Country.ini's parts, the parts, then Played.Bin.
std::vector<Seed> SettingsSeeds() {
  Bytes8 all = {7, 1, 1, 1, 2};
  all.resize(75, 1);
  Bytes8 lower(103, 1);
  lower[0] = 12, lower[1] = lower[2] = 0;
  return {{"all-files", all, true},
          {"odd-values", {7, 2, 1, 200, 1, 9, 255, 1, 2}, true},
          {"empty-files", {7, 0, 0}, false},
          {"lower-case-played", lower, false},
          {"read-only-prefs", {17, 1, 0, 2}, false}};
}

std::vector<Seed> MediaSeeds(const std::string& target) {
  std::vector<media::Pixel> pixels(24);
  for (std::size_t i = 0; i < pixels.size(); i++)
    pixels[i] = static_cast<media::Pixel>(i * 0x9E3779B1u);
  Bytes8 rgba, rgb;
  media::EncodePNG(pixels.data(), 6, 4, rgba);
  media::EncodePNG(pixels.data(), 4, 6, rgb, false);
  if (target == "png")
    return {{"rgba", rgba, true},
            {"rgb", rgb, true},
            {"cut", Bytes8(rgba.begin(), rgba.end() - 20), false}};
  // A short sine as Ogg Vorbis, each channel at its own pitch.
  auto ogg = [](int rate, int channels, int frames) {
    std::vector<float> samples;
    for (int i = 0; i < frames * channels; i++)
      samples.push_back(
          static_cast<float>(0.5 * std::sin(0.05 * (i / channels) * (i % channels + 1))));
    return sfxgen::EncodeVorbis(samples, channels, rate, 0.0f, 4242);
  };
  const Bytes8 mono = ogg(8000, 1, 600);
  return {{"mono", mono, true},
          {"three-channels", ogg(8000, 3, 200), true},
          {"header-only", Bytes8(mono.begin(), mono.begin() + 58), false}};
}

std::vector<Seed> ReadStringSeeds() {
  Bytes8 two, odd;
  Put32(two, 5);
  two.insert(two.end(), {'h', 'e', 'l', 'l', 'o'});
  for (int n : {-1, 0, 1048576, 1048575}) Put32(odd, n);  // the limit: 1048576 reads as ""
  odd.insert(odd.end(), {'x', 'y'});
  return {{"one-string", two, true}, {"odd-lengths", odd, false}, {"short-length", {7, 0}, false}};
}

std::vector<Seed> StageSourceSeeds() {
  std::string room;
  for (int row = 0; row < 24; row++)
    room += row == 23 ? std::string(32, '#') : "..H|" + std::string(26, '.') + "XB\n";
  const std::string text =
      "theme 2\nbackdrop 4\nplayer 2 20 room 0 0\ndoor 20 19 gold 1 room 0 0\nroom 0 0\n" + room +
      "\nenemy 3 5 kind 0 frame 0 room 0 0\ntrap 4 10 kind 0 frame 0 height 4 room 0 0\n"
      "item 7 8 kind 6 frame 48 room 0 0\nstatue 12 2 frame 1 room 0 0\n";
  return {{"small", B(text), true},
          {"room-twice", B(text + "room 0 0\n" + room + "\nroom 1 0\n" + room + "\n"), true},
          {"bad-word", B("wall 1 2\n"), false}};
}

std::vector<Seed> ScriptSeeds() {
  return {{"every-event",
           B("# a run\n0 key down LEFT\n3 key up left\n4 press F12\n5 press a\n6 type Hello there\n"
             "7 mouse 10 -20\n8 click 1\n9 button down 3\n9 button up 3\n10 joy down 31\n"
             "11 joy up 0\n12 joy axis x -32768\n12 joy axis 1 32767\r\n13 key down 255\n"),
           true},
          {"bad-frame", B("-1 press A\n"), false},
          {"joystick-button-32", B("0 joy down 32\n"), false}};
}

// Play inputs: a mode byte (odd: a replay from the bytes), five bytes of the rooms that exist,
// the trap records (count, then X, Y, Kind, Frame, Height, Roomx, Roomy each), the enemy records
// (count, then x, y, Kind, frame, OriginRoomX, OriginRoomY each), the player's start, then the
// keys of each tick (bits: left, right, up, down; both top bits a Space press).
std::vector<Seed> PlaySeeds() {
  auto input = [](int mode, std::uint64_t rooms, const Bytes8& traps, const Bytes8& enemies,
                  int key) {
    Bytes8 b = {static_cast<std::uint8_t>(mode)};
    for (int i = 0; i < 5; i++) b.push_back(static_cast<std::uint8_t>(rooms >> (8 * i)));
    b.push_back(static_cast<std::uint8_t>(traps.size() / 7));
    b.insert(b.end(), traps.begin(), traps.end());
    b.push_back(static_cast<std::uint8_t>(enemies.size() / 6));
    b.insert(b.end(), enemies.begin(), enemies.end());
    b.insert(b.end(), {4, 18});
    for (int i = 0; i < 200; i++) b.push_back(static_cast<std::uint8_t>(i % 50 == 49 ? 0x32 : key));
    return b;
  };
  // Every trap and enemy kind (4 and 5 are none the game knows, frames the editor never writes)
  // beside the player's start, and in room (3, 3), which does not exist.
  Bytes8 traps, enemies;
  for (int k = 0; k < 8; k++) {
    traps.insert(traps.end(), {std::uint8_t(6 + 3 * k), std::uint8_t(k ? 16 : 10), std::uint8_t(k),
                               std::uint8_t(4 * k), std::uint8_t(k ? 5 : 8), 0, 0});
    traps.insert(traps.end(), {std::uint8_t(2 + 3 * k), 4, std::uint8_t(k), 0, 3, 3, 3});
    if (k < 6)
      enemies.insert(enemies.end(),
                     {std::uint8_t(8 + 4 * k), 20, std::uint8_t(k), std::uint8_t(40 * k + 1), 0, 0,
                      std::uint8_t(4 * k), 2, std::uint8_t(k), std::uint8_t(255 - k), 3, 3});
  }
  // Stones, walls and enemies at the world's edges: the last room column and row, rows 23, 24.
  const Bytes8 edgeTraps = {30, 23, 2,  0, 0,  5, 5,  31, 24, 2, 0, 0, 5, 5, 0, 24, 2,  0,  0,
                            0,  5,  35, 0, 0,  0, 20, 5,  5,  0, 0, 0, 0, 1, 0, 0,  34, 20, 3,
                            0,  6,  5,  5, 30, 1, 2,  0,  0,  1, 0, 0, 1, 2, 0, 0,  0,  0};
  const Bytes8 edgeEnemies = {36, 26, 2, 0,   5, 5, 0,  0,  3, 7,  0, 0, 36, 0, 0, 9, 5, 0,
                              0,  26, 1, 200, 0, 5, 34, 24, 2, 26, 0, 1, 31, 5, 3, 0, 0, 0};
  const std::uint64_t rooms = 1 | 1 << 1 | 1 << 6 | std::uint64_t(1) << 35;
  return {{"every-kind", input(0, rooms, traps, enemies, 2), true},
          {"replayed", input(1, rooms, traps, enemies, 7), true},
          {"edges", input(2, rooms | std::uint64_t(1) << 30, edgeTraps, edgeEnemies, 1), true}};
}

}  // namespace

std::vector<Seed> SeedsFor(const std::string& t) {
  if (t == "stage") return StageSeeds();
  if (t == "replay") return ReplaySeeds();
  if (t == "language" || t == "keys") return TextSeeds(t);
  if (t == "settings") return SettingsSeeds();
  if (t == "png" || t == "sound") return MediaSeeds(t);
  if (t == "readstring") return ReadStringSeeds();
  if (t == "stagesource") return StageSourceSeeds();
  if (t == "script") return ScriptSeeds();
  return t == "play" ? PlaySeeds() : std::vector<Seed>{};
}

}  // namespace fuzz
