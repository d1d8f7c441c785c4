// Play: a stage made from the input (rooms, cells, trap records of every kind and enemy records
// of any kind and frame, at any place the stage reader takes, in rooms that exist or not) read
// through the stage reader,
// then 400 ticks of keys, or of a replay, from the same bytes, with frames now and then and
// the map screen at the end.
#include <algorithm>
#include <array>

#include "core/globals.h"
#include "core/load.h"
#include "core/objects.h"
#include "core/tables.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/actions.h"
#include "play/frame.h"
#include "play/map.h"
#include "play/stage_start.h"
#include "play/tick.h"
#include "stages/replay.h"
#include "stages/stage.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {
namespace {

constexpr const char* kName = "play";
constexpr std::array<int, 7> kCodes = {0, 1, 2, 3, 4, 88, 99};
constexpr int kKeys[] = {media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP, media::KEY_DOWN};

// The game's pictures, loaded once: the rules touch-test with them.
void Pictures() {
  static std::vector<media::Image> kept;
  static media::Image* const slots[] = {&imgFont,    &optAlpha,     &optAlpha2,  &Back,
                                        &ItemSprite, &ScoreBar,     &F1_Help,    &Mappy,
                                        &Mappy2,     &PlayerSprite, &Bricks,     &Enemiesprite,
                                        &XDoor,      &Doors,        &Statusprite};
  if (kept.empty()) {
    media::Graphics(800, 600, 0, 60);
    LoadAllMedia(1, false);
    for (media::Image* slot : slots) kept.push_back(*slot);
  }
  for (std::size_t i = 0; i < kept.size(); ++i) *slots[i] = kept[i];
  FillBuiltinTables();
}

// Whether the stage reader takes a stage of one room holding only these objects.
bool Accepted(std::vector<stagefile::Trap> traps, std::vector<stagefile::Enemy> enemies) {
  stagefile::Data one, out;
  one.roomRecords = {{0, 0}};
  one.traps = std::move(traps), one.enemies = std::move(enemies);
  return stagefile::Decode(stagefile::Encode(one), out).ok();
}

}  // namespace

int FuzzPlay(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  FreshWorld();
  media::headless::ResetHeadless();
  Pictures();
  std::size_t at = 0;
  auto next = [&] { return at < size ? int(data[at++]) : 0; };
  const int mode = next();
  std::uint64_t mask = 0;
  for (int i = 0; i < 5; ++i) mask |= std::uint64_t(next()) << (8 * i);
  stagefile::Data s;
  for (int room = 0; room < 36; ++room)
    if (mask >> room & 1 || (room == 35 && s.roomRecords.empty()))
      s.roomRecords.push_back({room % 6, room / 6});
  for (const auto& r : s.roomRecords)  // a floor, the rest mostly empty
    for (int row = 0; row < 24; ++row)
      for (int column = 0; column < 32; ++column) {
        const int b = size ? data[(row * 32 + column + 13 * r[0] + 71 * r[1]) % size] : 0;
        s.Cell(r[0], r[1], column, row) = row == 23 ? 1 : b < 176 ? 0 : kCodes[b % 7];
      }
  for (int i = next() % 48; i > 0; --i) {
    stagefile::Trap t{next() % 40, next() % 30, next() % 9, next() % 32,
                      next() % 30, next() % 6,  next() % 6};
    if (Accepted({t}, {})) s.traps.push_back(t);
  }
  for (int i = next() % 32; i > 0; --i) {  // also kinds and frames the editor never writes
    stagefile::Enemy e{next() % 40, next() % 30, next() % 6, next(), next() % 6, next() % 6};
    if (Accepted({}, {e})) s.enemies.push_back(e);
  }
  s.playerX = next() % 30, s.playerY = next() % 22;
  s.playerRoomX = s.doorRoomX = s.roomRecords[0][0];
  s.playerRoomY = s.doorRoomY = s.roomRecords[0][1];
  s.doorX = 20, s.doorY = 19;
  if (!WriteRootFile("Levels/play", stagefile::Encode(s))) return 0;
  Player->XS = Player->YS = 3;
  ResetAll();
  LoadStage("play");
  SetTaken(LastStageCheck.ok());
  FUZZ_CHECK(kName, LastStageCheck.ok(), "the made stage reads");
  if (!LastStageCheck.ok()) return 0;
  if (mode & 1) {  // a replay: runs of codes 0 to 11
    DemoMode = 1;
    for (int i = 0; i < kReplayRuns; ++i) Demo[0][i] = next() % 12, Demo[1][i] = 1 + next() % 40;
  }
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
  const int traps = Traps_list.Count(), enemies = Enemies_list.Count();
  const std::size_t keys = at;
  for (int tick = 0; tick < 400 && Game->State == 26; ++tick) {
    const int b = size > keys ? data[keys + std::size_t(tick) % (size - keys)] : 0;
    for (int k = 0; k < 4; ++k)
      (b >> k & 1) ? media::headless::KeyDownNow(kKeys[k]) : media::headless::KeyUpNow(kKeys[k]);
    if ((b & 0x30) == 0x30) media::headless::PressKey(media::KEY_SPACE);
    UpdateGame();
    if (tick % 32 == 0) {
      RenderGame(0);
    } else {
      AnimatePlayer();
      if (DemoMode == 1) StepReplay();
    }
    for (auto t : Traps_list.Each<bbTraps>())
      FUZZ_CHECK(kName, t->Roomx >= 0 && t->Roomx < 6 && t->Roomy >= 0 && t->Roomy < 6,
                 "a trap stays in one of the 36 rooms");
    for (auto e : Enemies_list.Each<bbEnemies>())
      FUZZ_CHECK(kName, e->RoomX >= 0 && e->RoomX < 6 && e->RoomY >= 0 && e->RoomY < 6,
                 "an enemy stays in one of the 36 rooms");
    FUZZ_CHECK(kName, Traps_list.Count() <= traps && Enemies_list.Count() <= enemies,
               "no trap or enemy is added");
  }
  for (auto& column : Stage)
    for (int cell : column)
      FUZZ_CHECK(kName, std::find(kCodes.begin(), kCodes.end(), cell) != kCodes.end(),
                 "every cell holds a cell code");
  media::headless::MoveMouseNow(520 + mode % 240, 250 + (mode * 7) % 240);
  media::headless::ClickNow(1);
  DrawMap();
  FUZZ_CHECK(kName, RoomXX >= 0 && RoomXX < 6 && RoomYY >= 0 && RoomYY < 6, "the map's room");
  for (int k : kKeys) media::headless::KeyUpNow(k);
  return 0;
}

}  // namespace fuzz
