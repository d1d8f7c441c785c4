// Play: a stage made from the input (its rooms, cells and trap records, every trap kind,
// position and height the stage reader accepts, in rooms that exist or not) read through the
// stage reader, then a few hundred ticks of keys, or of a replay, made from the same bytes,
// with frames drawn now and then and the map screen at the end.
#include <algorithm>
#include <array>
#include <vector>

#include "core/globals.h"
#include "core/objects.h"
#include "front/startup.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/actions.h"
#include "play/frame.h"
#include "play/map.h"
#include "play/tick.h"
#include "stages/flow.h"
#include "stages/replay.h"
#include "stages/stage.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {
namespace {

constexpr const char* kName = "play";
constexpr int kTicks = 400;
constexpr std::array<int, 7> kCodes = {0, 1, 2, 3, 4, 88, 99};

// The input's bytes in turn, 0 past the end.
struct Reader {
  const std::uint8_t* data;
  std::size_t size, at = 0;
  int Next() { return at < size ? data[at++] : 0; }
};

// The game's pictures, loaded once: the rules test touches with them.
void Pictures() {
  static std::vector<media::Image> kept;
  static media::Image* const slots[] = {
      &imgFont,   &optAlpha,  &optAlpha2, &Flags,   &Back,         &ItemSprite, &logo,
      &Options1,  &Options2,  &ScoreBar,  &F1_Help, &F1_Edit,      &Editor,     &Editor2,
      &ESC_Quit,  &Buttons,   &Mappy,     &Mappy2,  &PlayerSprite, &Bricks,     &Enemiesprite,
      &HDigBlock, &VDigBlock, &XDoor,     &Doors,   &Statusprite,  &Arrow,      &Title};
  if (kept.empty()) {
    media::Graphics(800, 600, 0, 60);
    LoadAllMedia(1, false);
    for (media::Image* slot : slots) kept.push_back(*slot);
  }
  for (std::size_t i = 0; i < kept.size(); ++i) *slots[i] = kept[i];
  FillBuiltinTables();
}

// A trap record the stage reader takes, checked alone in a stage of one room.
bool Accepted(const stagefile::Trap& t) {
  stagefile::Data one;
  one.roomRecords = {{0, 0}};
  one.traps = {t};
  stagefile::Data out;
  return stagefile::Decode(stagefile::Encode(one), out).ok();
}

stagefile::Data MakeStage(Reader& in, int& firstRoom) {
  stagefile::Data s;
  std::uint64_t mask = 0;
  for (int i = 0; i < 5; ++i) mask |= std::uint64_t(in.Next()) << (8 * i);
  firstRoom = -1;
  for (int room = 0; room < 36; ++room) {
    if (!(mask >> room & 1)) continue;
    if (firstRoom < 0) firstRoom = room;
    s.roomRecords.push_back({room % 6, room / 6});
  }
  if (firstRoom < 0) {
    firstRoom = 0;
    s.roomRecords.push_back({0, 0});
  }
  // Cells: mostly empty, a floor along the last row, the codes spread by the input.
  const std::size_t span = std::max<std::size_t>(in.size, 1);
  for (const auto& r : s.roomRecords)
    for (int row = 0; row < 24; ++row)
      for (int column = 0; column < 32; ++column) {
        const int b = in.data ? in.data[(row * 32 + column + 13 * (r[0] + 6 * r[1])) % span] : 0;
        s.Cell(r[0], r[1], column, row) = row == 23 ? 1
                                          : b < 176
                                              ? 0
                                              : kCodes[static_cast<std::size_t>(b) % kCodes.size()];
      }
  const int traps = in.Next() % 48;
  for (int i = 0; i < traps; ++i) {
    stagefile::Trap t;
    t.X = in.Next() % 40, t.Y = in.Next() % 30, t.Kind = in.Next() % 9;
    t.Frame = in.Next() % 32, t.Height = in.Next() % 30;
    t.Roomx = in.Next() % 6, t.Roomy = in.Next() % 6;
    if (Accepted(t)) s.traps.push_back(t);
  }
  s.playerX = in.Next() % 30, s.playerY = in.Next() % 22;
  s.playerRoomX = firstRoom % 6, s.playerRoomY = firstRoom / 6;
  s.doorX = 20, s.doorY = 19, s.doorFrame = 0;
  s.doorRoomX = s.playerRoomX, s.doorRoomY = s.playerRoomY;
  return s;
}

void Keys(int b) {
  const int keys[] = {media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP, media::KEY_DOWN};
  for (int k = 0; k < 4; ++k) {
    if (b >> k & 1)
      media::headless::KeyDownNow(keys[k]);
    else
      media::headless::KeyUpNow(keys[k]);
  }
  if ((b & 0x30) == 0x30) media::headless::PressKey(media::KEY_SPACE);
}

bool CellsKnown() {
  for (auto& column : Stage)
    for (int cell : column)
      if (std::find(kCodes.begin(), kCodes.end(), cell) == kCodes.end()) return false;
  return true;
}

}  // namespace

int FuzzPlay(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  FreshWorld();
  media::headless::ResetHeadless();
  Pictures();
  Reader in{data, size};
  const int mode = in.Next();
  int firstRoom = 0;
  const stagefile::Data stage = MakeStage(in, firstRoom);
  if (!WriteRootFile("Levels/play", stagefile::Encode(stage))) return 0;
  Player->XS = Player->YS = 3;
  Player->Lives = 2;
  Game->Stage = 1;
  ResetAll();
  LoadStage("play");
  FUZZ_CHECK(kName, LastStageCheck.ok(), "the made stage reads");
  if (!LastStageCheck.ok()) return 0;
  // A replay from the bytes on odd modes: runs of codes 0 to 11.
  if (mode & 1) {
    DemoMode = 1;
    for (int i = 0; i < kReplayRuns; ++i) {
      Demo[0][i] = in.Next() % 12;
      Demo[1][i] = 1 + in.Next() % 40;
    }
    TotalActionCount = kReplayRuns - 1;
  }
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
  const int traps = Traps_list.Count();
  const std::size_t keysFrom = in.at;
  for (int tick = 0; tick < kTicks && Game->State == 26; ++tick) {
    Keys(size > keysFrom ? data[keysFrom + static_cast<std::size_t>(tick) % (size - keysFrom)] : 0);
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
    FUZZ_CHECK(kName, Traps_list.Count() <= traps, "no trap is added");
    FUZZ_CHECK(kName, RoomX >= 0 && RoomX < 6 && RoomY >= 0 && RoomY < 6, "the room shown");
  }
  FUZZ_CHECK(kName, CellsKnown(), "every cell holds a cell code");
  RoomXX = firstRoom % 6, RoomYY = firstRoom / 6;
  media::headless::MoveMouseNow(520 + mode % 240, 250 + (mode * 7) % 240);
  media::headless::ClickNow(1);
  DrawMap();
  FUZZ_CHECK(kName, RoomXX >= 0 && RoomXX < 6 && RoomYY >= 0 && RoomYY < 6, "the map's room");
  for (int k : {media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP, media::KEY_DOWN})
    media::headless::KeyUpNow(k);
  return 0;
}

}  // namespace fuzz
