#include "tools/shortcut/snapshot.h"

#include <array>
#include <cstring>

#include "core/text.h"
#include "media/graphics.h"
#include "play/actions.h"
#include "play/dig.h"
#include "play/frame.h"
#include "play/map.h"
#include "play/player.h"
#include "play/render.h"
#include "play/stage_start.h"
#include "play/tick.h"
#include "stages/replay.h"

namespace shortcut {

namespace {

constexpr int kCells = kStageCols * kStageRows;

int* Grid() {
  return &Stage[0][0];
}

// The int globals the rules and the recorder read or write during play.
const std::vector<int*>& RuleGlobals() {
  static const std::vector<int*> list = {
      &RoomX, &RoomY, &Worldtheme, &BackGround, &NumOfRooms, &numofenemies, &numoftraps,
      &numofitems, &numofstatus, &NumOfGold, &PlayerX, &PlayerY, &EditMode, &DemoMode, &Tutorial,
      &TutNo, &User, &Difficulity, &Control, &CantFly, &quit, &MainMenu, &ShowGrid,
      // the digging, the room map and the stage start
      &DigingCounter, &DigingTimer, &DigFrame, &Help, &RoomXX, &RoomYY, &jcounter,
      // the player's probes and input
      &tl, &tr, &bl, &br, &bld, &brd, &jltb, &jrtb, &jlt, &jrt, &ml, &mr, &flt, &frt, &flb, &frb,
      &mup1, &mup2, &mdown1, &mdown2, &fall, &Fire, &dx, &RectJump, &Deep,
      // the recorder
      &ActionCount, &ActionNo, &ActionType, &LastActionType, &TotalActionCount, &StepLead};
  return list;
}

// The int globals only the drawing and the music read: the pulses, the item animation, the
// pause text's blink, the door-open flash.
const std::vector<int*>& DrawingGlobals() {
  static const std::vector<int*> list = {
      &redvalue,      &greenvalue,       &reddisp,      &greendisp,    &Statusred, &Statusdisp,
      &itemframeRate, &itemframecounter, &pausecounter, &FlashCounter, &DoorOpened};
  return list;
}

template <class T>
bool IsSingle(const T* obj) {
  return obj == static_cast<const TBBType*>(Player.get()) ||
         obj == static_cast<const TBBType*>(Exitdoor.get()) ||
         obj == static_cast<const TBBType*>(Game.get());
}

template <class T>
T Detach(const T& obj) {
  T copy = obj;
  copy._list = nullptr;
  copy._link.reset();
  return copy;
}

template <class T>
void CaptureList(const media::TList& list, ListValue<T>& out) {
  for (auto obj : list.Each<T>()) {
    out.objects.push_back(Detach(*obj));
    out.single.push_back(IsSingle(obj.get()) ? 1 : 0);
  }
}

// The single object whose value `value` is, by class.
std::shared_ptr<TBBType> SingleOf(const bbPlayers&) {
  return Player;
}
std::shared_ptr<TBBType> SingleOf(const bbExitDoors&) {
  return Exitdoor;
}
std::shared_ptr<TBBType> SingleOf(const bbGames&) {
  return Game;
}
template <class T>
std::shared_ptr<TBBType> SingleOf(const T&) {
  return nullptr;
}

template <class T>
void RestoreList(media::TList& list, const ListValue<T>& in,
                 std::vector<std::shared_ptr<T>>& made) {
  list.Clear();
  made.clear();
  for (std::size_t i = 0; i < in.objects.size(); ++i) {
    std::shared_ptr<T> obj;
    if (in.single[i] != 0) obj = std::dynamic_pointer_cast<T>(SingleOf(in.objects[i]));
    if (obj) {
      *obj = in.objects[i];
    } else {
      obj = std::make_shared<T>(in.objects[i]);
    }
    obj->_list = nullptr;
    obj->_link.reset();
    obj->Add(list);
    made.push_back(obj);
  }
}

template <class T>
CursorValue<T> CaptureCursor(const std::shared_ptr<T>& cursor, const media::TList& list) {
  CursorValue<T> c;
  if (!cursor) return c;
  c.null = false;
  int i = 0;
  for (auto obj : list.Each<T>()) {
    if (obj == cursor) {
      c.index = i;
      return c;
    }
    ++i;
  }
  c.detached = Detach(*cursor);
  return c;
}

template <class T>
void RestoreCursor(std::shared_ptr<T>& cursor, const CursorValue<T>& c,
                   const std::vector<std::shared_ptr<T>>& made) {
  if (c.null) {
    cursor.reset();
  } else if (c.index >= 0 && c.index < static_cast<int>(made.size())) {
    cursor = made[static_cast<std::size_t>(c.index)];
  } else {
    cursor = std::make_shared<T>(c.detached);
  }
}

// FNV-1a over raw bytes.
struct Hasher {
  std::uint64_t h = 1469598103934665603ull;
  void Bytes(const void* p, std::size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i) {
      h ^= b[i];
      h *= 1099511628211ull;
    }
  }
  void Int(int v) { Bytes(&v, sizeof v); }
};

void HashPlayer(Hasher& h, const bbPlayers& p) {
  for (int v : {p.X,           p.Y,
                p.XS,          p.YS,
                p.Frame,       p.FrameCounter,
                p.Exist,       p.JumpFrame,
                p.FallCounter, p.Score,
                p.Lives,       p.ExtraLife,
                p.Gravity,     p.LastDirection,
                p.Direction,   p.State,
                p.FrameRate,   p.Action,
                p.RoomX,       p.RoomY,
                p.LastAction,  p.DyingCounter})
    h.Int(v);
}
void HashValue(Hasher& h, const bbPlayers& p) {
  HashPlayer(h, p);
}
void HashValue(Hasher& h, const bbItems& i) {
  for (int v : {i.X, i.Y, i.frame, i.framecounter, i.FrameRate, i.kind, i.RoomX, i.RoomY}) h.Int(v);
}
void HashValue(Hasher& h, const bbEnemies& e) {
  for (int v : {e.x,
                e.y,
                e.xs,
                e.ys,
                e.frame,
                e.framecounter,
                e.Kind,
                e.CoffineX,
                e.CoffineY,
                e.CoffineCounter,
                e.HaltingCounter,
                e.Fallcounter,
                e.ID,
                e.JumpCounter,
                e.MovingCounter,
                e.State,
                e.FrameRate,
                e.OriginRoomX,
                e.OriginRoomY,
                e.RoomX,
                e.RoomY,
                e.Direction,
                e.LifeSpan,
                e.TempX,
                e.CanClimb,
                e.Block1,
                e.Block2,
                e.Block3,
                e.Block4,
                e.Visible})
    h.Int(v);
}
void HashValue(Hasher& h, const bbWeapons& w) {
  for (int v :
       {w.x, w.y, w.xs, w.ys, w.kind, w.Frame, w.FrameRate, w.framecounter, w.MapX, w.MapY, w.Timer,
        w.roomx, w.roomy, w.State, w.Direction, w.SpiningCounter, w.BoomCounter, w.CollideCounter})
    h.Int(v);
}
void HashValue(Hasher& h, const bbGames& g) {
  h.Int(g.State);
  h.Int(g.Stage);
}
void HashValue(Hasher& h, const bbTraps& t) {
  for (int v : {t.X,       t.Y,         t.Kind,   t.Frame,  t.FrameRate, t.Framecounter, t.timer,
                t.Passing, t.NumOfPass, t.Height, t.Roomx,  t.Roomy,     t.ID,           t.State,
                t.Block1,  t.Block2,    t.Block3, t.Block4, t.MapX,      t.MapY})
    h.Int(v);
}
void HashValue(Hasher& h, const bbBackDrops& b) {
  for (int v : {b.X, b.Y, b.Frame, b.FrameCounter, b.FrameRate, b.RoomX, b.RoomY}) h.Int(v);
}
void HashValue(Hasher& h, const bbExitDoors& d) {
  for (int v : {d.x, d.y, d.Frame, d.State, d.roomx, d.roomy, d.FrameRate, d.FrameCounter})
    h.Int(v);
}
void HashValue(Hasher& h, const bbstatuses& s) {
  for (int v : {s.x, s.y, s.frame, s.roomx, s.roomy}) h.Int(v);
}

template <class T>
void HashList(Hasher& h, const media::TList& list, const std::shared_ptr<T>& cursor) {
  int i = 0, at = -1;
  for (auto obj : list.Each<T>()) {
    h.Int(IsSingle(obj.get()) ? 1 : 0);
    HashValue(h, *obj);
    if (obj == cursor) at = i;
    ++i;
  }
  h.Int(i);
  h.Int(at);
  if (cursor && at < 0) HashValue(h, *cursor);
}

// The sounds the rules play: silenced for a search.
std::array<media::Sound*, 25> Sounds() {
  return {&sndGold,         &sndOptions,   &jumpsound,    &HitFloor,    &sndDrill,
          &sndPick,         &sndFall,      &sndItem,      &sndKnife,    &sndBoome,
          &sndScoop,        &sndHammer,    &sndLadder,    &sndFloor,    &sndCreateWall,
          &sndCloseCoffine, &sndKilled,    &sndKillEnemy, &sndPonyJump, &sndCreatePony,
          &sndDoor,         &sndPushStone, &sndRollStop,  &sndAllGold,  &sndExiting};
}
std::array<media::Sound, 25> savedSounds;
int savedView[4] = {0, 0, 0, 0};

}  // namespace

BaseGrid TakeBaseGrid() {
  BaseGrid b;
  b.cells.assign(Grid(), Grid() + kCells);
  return b;
}

Snapshot Capture(const BaseGrid& base) {
  Snapshot s;
  const int* g = Grid();
  for (int i = 0; i < kCells; ++i)
    if (g[i] != base.cells[static_cast<std::size_t>(i)]) s.changedCells.emplace_back(i, g[i]);
  std::memcpy(s.rooms, Rooms, sizeof s.rooms);
  for (int* v : RuleGlobals()) s.globals.push_back(*v);
  for (int* v : DrawingGlobals()) s.globals.push_back(*v);
  CaptureList(Games_list, s.games);
  CaptureList(ExitDoors_list, s.doors);
  CaptureList(statuses_list, s.statuses);
  CaptureList(BackDrops_list, s.backdrops);
  CaptureList(Weapons_list, s.weapons);
  CaptureList(Traps_list, s.traps);
  CaptureList(Enemies_list, s.enemies);
  CaptureList(Items_list, s.items);
  CaptureList(Players_list, s.players);
  s.player = Detach(*Player);
  s.exitdoor = Detach(*Exitdoor);
  s.game = Detach(*Game);
  s.item = CaptureCursor(item, Items_list);
  s.enemy = CaptureCursor(Enemy, Enemies_list);
  s.weapon = CaptureCursor(Weapon, Weapons_list);
  s.trap = CaptureCursor(Trap, Traps_list);
  s.status = CaptureCursor(status, statuses_list);
  return s;
}

void Restore(const Snapshot& s, const BaseGrid& base) {
  std::memcpy(Grid(), base.cells.data(), sizeof(int) * kCells);
  int* g = Grid();
  for (const auto& [i, code] : s.changedCells) g[i] = code;
  std::memcpy(Rooms, s.rooms, sizeof s.rooms);
  std::size_t at = 0;
  for (int* v : RuleGlobals()) *v = s.globals[at++];
  for (int* v : DrawingGlobals()) *v = s.globals[at++];
  // The single objects first, so that a list holding one of them re-links the same object.
  *Player = s.player;
  *Exitdoor = s.exitdoor;
  *Game = s.game;
  std::vector<std::shared_ptr<bbGames>> games;
  std::vector<std::shared_ptr<bbExitDoors>> doors;
  std::vector<std::shared_ptr<bbstatuses>> statuses;
  std::vector<std::shared_ptr<bbBackDrops>> backdrops;
  std::vector<std::shared_ptr<bbWeapons>> weapons;
  std::vector<std::shared_ptr<bbTraps>> traps;
  std::vector<std::shared_ptr<bbEnemies>> enemies;
  std::vector<std::shared_ptr<bbItems>> items;
  std::vector<std::shared_ptr<bbPlayers>> players;
  RestoreList(Games_list, s.games, games);
  RestoreList(ExitDoors_list, s.doors, doors);
  RestoreList(statuses_list, s.statuses, statuses);
  RestoreList(BackDrops_list, s.backdrops, backdrops);
  RestoreList(Weapons_list, s.weapons, weapons);
  RestoreList(Traps_list, s.traps, traps);
  RestoreList(Enemies_list, s.enemies, enemies);
  RestoreList(Items_list, s.items, items);
  RestoreList(Players_list, s.players, players);
  RestoreCursor(item, s.item, items);
  RestoreCursor(Enemy, s.enemy, enemies);
  RestoreCursor(Weapon, s.weapon, weapons);
  RestoreCursor(Trap, s.trap, traps);
  RestoreCursor(status, s.status, statuses);
}

std::uint64_t Digest(bool rulesOnly) {
  Hasher h;
  h.Bytes(Grid(), sizeof(int) * kCells);
  h.Bytes(Rooms, sizeof Rooms);
  for (int* v : RuleGlobals()) h.Int(*v);
  if (!rulesOnly)
    for (int* v : DrawingGlobals()) h.Int(*v);
  // The loop cursors are left where the last walk over a list left them: the drawing walks
  // the lists too, and every rule sets a cursor before it reads it.
  auto cursor = [rulesOnly](const auto& c) { return rulesOnly ? nullptr : c; };
  HashList(h, Games_list, std::shared_ptr<bbGames>());
  HashList(h, ExitDoors_list, std::shared_ptr<bbExitDoors>());
  HashList(h, statuses_list, cursor(status));
  HashList(h, BackDrops_list, std::shared_ptr<bbBackDrops>());
  HashList(h, Weapons_list, cursor(Weapon));
  HashList(h, Traps_list, cursor(Trap));
  HashList(h, Enemies_list, cursor(Enemy));
  HashList(h, Items_list, cursor(item));
  HashList(h, Players_list, std::shared_ptr<bbPlayers>());
  HashValue(h, *Player);
  HashValue(h, *Exitdoor);
  HashValue(h, *Game);
  return h.h;
}

void FastPass() {
  UpdateGame();
  AnimatePlayer();
}

void BeforeSearch() {
  auto sounds = Sounds();
  for (std::size_t i = 0; i < sounds.size(); ++i) {
    savedSounds[i] = *sounds[i];
    *sounds[i] = nullptr;
  }
  // The player's one picture a pass, drawn by AnimatePlayer, goes nowhere.
  media::GetViewport(savedView[0], savedView[1], savedView[2], savedView[3]);
  media::SetViewport(0, 0, 0, 0);
}

void AfterSearch() {
  auto sounds = Sounds();
  for (std::size_t i = 0; i < sounds.size(); ++i) *sounds[i] = savedSounds[i];
  media::SetViewport(savedView[0], savedView[1], savedView[2], savedView[3]);
}

}  // namespace shortcut
