#include "play/player.h"

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "media/input.h"
#include "play/dig.h"
#include "stages/replay.h"

int tl, tr, bl, br, bld, brd, jltb, jrtb, jlt, jrt, ml, mr, flt, frt, flb, frb, mup1, mup2, mdown1,
    mdown2, fall;
int Fire, dx, RectJump, Deep;

namespace {

// The tick's input, once taken: the direction code and the fire press of this tick.
bool inputTaken = false;
int takenCode = 0, takenFire = 0;

bool Solid(int code) {
  return code == CellCode::Block || code == CellCode::Brick;
}
bool Wall(int code) {
  return Solid(code) || code == CellCode::Solid88;
}
bool Ladder(int code) {
  return code == CellCode::Ladder || code == CellCode::VanishLadder;
}
bool LadderOrRight(int code) {
  return Ladder(code) || code == CellCode::LadderRight;
}

int inputSteps = 0;  // steps the input has recorded since the count was last cleared
int throwStep = 0;   // 1 from a throw off the ground or a ladder to the end of the frame

// Records code c as this tick's step, in live play only.
void Record(int c) {
  if (DemoMode != 0) return;
  ActionType = c;
  RecordAction();
  inputSteps += 1;
}

int PoseFrame(int direction) {
  return (Player->State * 3 + direction) * 4;
}

// Stands the player in its last walking direction.
void Stand() {
  Player->Action = Act::Ground;
  Player->Direction = Player->LastDirection;
  Player->Frame = PoseFrame(Player->LastDirection);
}

bool FallStartsHere() {
  return flb == CellCode::Empty && frb == CellCode::Empty && fall == CellCode::Empty &&
         flt == CellCode::Empty && frt == CellCode::Empty && Player->Action == Act::Ground &&
         Player->X >= 4 && Player->X <= 766;
}

void WalkLeft() {
  Record(Rec::Left);
  if (Solid(flb) && Solid(frb)) ActivateTrap();
  if (tl == CellCode::Empty && bl == CellCode::Empty && tr == CellCode::Empty &&
      br == CellCode::Empty)
    Player->Action = Act::Ground;
  if (!Wall(tl) && !Wall(bl) && !Wall(ml)) {
    Player->X -= Player->XS;
    Player->Direction = 0;
    Player->LastDirection = 0;
    Player->FrameRate += 1;
    Player->Frame = Player->State * 12;
    dx = -12;
  }
  if (FallStartsHere()) Player->Action = Act::Fall;
}

void WalkRight() {
  Record(Rec::Right);
  if (Solid(flb) && Solid(frb)) ActivateTrap();
  if (tl == CellCode::Empty && bl == CellCode::Empty && tr == CellCode::Empty &&
      br == CellCode::Empty)
    Player->Action = Act::Ground;
  if (!Wall(tr) && !Wall(br) && !Wall(mr)) {
    Player->X += Player->XS;
    Player->Direction = 1;
    Player->LastDirection = 1;
    Player->FrameRate += 1;
    Player->Frame = PoseFrame(1);
    dx = 12;
  }
  if (FallStartsHere()) Player->Action = Act::Fall;
}

void ClimbPose() {
  Player->FrameRate += 1;
  Player->Action = Act::Ladder;
  Player->Direction = 2;
  Player->Frame = PoseFrame(2);
}

void Up() {
  Record(Rec::Up);
  bool climb = false;
  if (Solid(mup1)) {
    Stand();
    Player->Y = ((Player->Y + 3) / 24) * 24;
  } else if (Ladder(mup1) || Ladder(mup2) || Ladder(tl)) {
    if (Player->Action != Act::Ladder)
      Player->X = Ladder(bl) ? (Player->X / 24) * 24 : (Player->X / 24 + 1) * 24;
    climb = true;
  } else if (Ladder(bl)) {
    if (Player->Action != Act::Ladder) Player->X = (Player->X / 24) * 24;
    climb = true;
  } else if (Ladder(ml)) {
    if (Player->Action != Act::Ladder) Player->X = (Player->X / 24 + 1) * 24;
    climb = true;
  }
  if (climb) {
    Player->Y -= Player->YS;
    ClimbPose();
  }
  if (bl == CellCode::Empty && tl == CellCode::Empty && ml == CellCode::Empty &&
      br == CellCode::Empty && tr == CellCode::Empty) {
    Stand();
    Player->Y = ((Player->Y + 3) / 24) * 24;
  }
}

void Down() {
  Record(Rec::Down);
  if (Solid(mdown2)) {
    Player->Y = (Player->Y / 24) * 24;
    Stand();
    return;
  }
  if (tl == CellCode::Empty && bl == CellCode::Empty && ml == CellCode::Empty &&
      br == CellCode::Empty && tr == CellCode::Empty && flb == CellCode::Empty &&
      frb == CellCode::Empty && fall == CellCode::Empty) {
    Player->Action = Act::Fall;
    Player->Direction = Player->LastDirection;
    Player->Frame = PoseFrame(Player->LastDirection);
  }
  if (mdown2 == CellCode::Solid88) {
    Stand();
    return;
  }
  if (LadderOrRight(mdown1) || LadderOrRight(mdown2) || Ladder(tl) || Ladder(bl) || Ladder(ml)) {
    if (Player->Action != Act::Ladder)
      Player->X = LadderOrRight(bld) ? (Player->X / 24) * 24 : (Player->X / 24 + 1) * 24;
    ClimbPose();
    Player->Y += Player->YS;
  }
}

void Jump(int code) {
  if (Solid(jlt) || Solid(jrt)) return;
  PlaySfx(jumpsound);
  Player->Action = Act::Jump;
  RectJump = 2;
  Player->FrameCounter = 0;
  if (DemoMode == 0) {
    if (code == Rec::Left) {
      Player->Direction = 0;
      RectJump = 0;
      Record(Rec::JumpLeft);
    } else if (code == Rec::Right) {
      Player->Direction = 1;
      RectJump = 1;
      Record(Rec::JumpRight);
    } else if (ActionType < Rec::Throw || ActionType > Rec::DigDown) {
      // A run of 6 or 7 carried on would jump sideways in playback, so a straight jump in the
      // first tick after a sideways jump's landing (nothing recorded in between) is 5.
      Record(Rec::JumpUp);
    } else {
      // Right after a throw or a dig the run of 8, 9 or 10 goes on instead: its code is a fire
      // press in playback and jumps straight up. It takes this first tick's step as any jump
      // does, so that the landing, which records none, leaves playback in step.
      Record(ActionType);
    }
  } else if (code == Rec::JumpLeft) {
    Player->Direction = 0;
    RectJump = 0;
  } else if (code == Rec::JumpRight) {
    Player->Direction = 1;
    RectJump = 1;
  }
  Player->Frame = Player->Direction != 0 ? Player->JumpFrame + 1 : Player->JumpFrame;
}

void Throw() {
  auto w = New<bbWeapons>();
  Weapon = w;
  w->kind = Player->State - 1;
  w->Frame = w->kind == ItemKind::Weapon0 ? 56 : 59;
  w->State = 1;
  w->Direction = Player->LastDirection;
  w->roomx = RoomX;
  w->roomy = RoomY;
  w->x = RoomX * 768 + Player->X;
  w->y = RoomY * 576 + Player->Y;
  Player->State = Tool::None;
  Player->Frame = Player->LastDirection * 4;
  const bool airborne = Player->Action != 0 && Player->Action != 15;
  if (DemoMode != 0) return;
  if (airborne && StepLead > 0) {
    // Playback spends this tick on the step recorded last: that step becomes the throw, and
    // this tick's frame records its own step (or none at a landing) as it would have.
    RetypeLastStep(Rec::Throw);
    ActionType = Rec::Throw;
    return;
  }
  Record(Rec::Throw);
  if (airborne) throwStep = 1;  // the throw's step stands for this tick
}

// The cell (c, r) columns and rows away from the body's top-left cell.
int Near(int c, int r) {
  return CellAt(Player->X / 24 + 32 * RoomX + c, Player->Y / 24 + 24 * RoomY + r);
}

void StartDig() {
  const int tool = Player->State;
  const bool sideways = tool == Tool::SideTwo || tool == Tool::SideOne;
  const bool twoDeep = tool == Tool::SideTwo || tool == Tool::DownTwo;
  const int facing = Player->LastDirection == 0 ? 0 : 1;
  if (DemoMode == 0) ActionType = sideways ? Rec::DigSide : Rec::DigDown;
  bool bricks = false;
  int deep = 1;
  if (sideways) {
    bricks = facing == 0 ? tl == CellCode::Brick && bl == CellCode::Brick
                         : tr == CellCode::Brick && br == CellCode::Brick;
    const int c = facing == 0 ? -1 : 3;
    if (twoDeep && Near(c, 0) == CellCode::Brick && Near(c, 1) == CellCode::Brick) deep = 2;
  } else {
    const int c1 = facing == 0 ? 0 : 2, c2 = facing == 0 ? -1 : 3;
    bricks = Near(c1, 2) == CellCode::Brick && Near(c2, 2) == CellCode::Brick;
    if (twoDeep && Near(c1, 3) == CellCode::Brick && Near(c2, 3) == CellCode::Brick) deep = 2;
  }
  if (!bricks) return;
  // Poses: 84 + 8 per digging tool, + 4 facing right.
  Player->Frame = 84 + (tool - Tool::SideTwo) * 8 + facing * 4;
  Player->Action = sideways ? Act::DigSide : Act::DigDown;
  Player->State = tool + (Tool::SideDigTwo - Tool::SideTwo);  // the same tool, digging
  Deep = deep;
  ResetDigCounters();
}

void FireStep(int code) {
  const int action = Player->Action, state = Player->State;
  if (action == Act::Ground && state == Tool::None) {
    Jump(code);
  } else if (state == Tool::Weapon0 || state == Tool::Weapon1) {
    Throw();
  } else if (action == Act::Ground && state >= Tool::SideTwo && state <= Tool::DownOne) {
    StartDig();
  }
}

void DirectionStep(int code) {
  switch (code) {
    case Rec::Left:
      WalkLeft();
      break;
    case Rec::Right:
      WalkRight();
      break;
    case Rec::Down:
      Down();
      break;
    case Rec::Up:
      Up();
      break;
    default:
      Record(Rec::None);
      break;
  }
}

// The first existing room of row ry from column 5 down (from 0 up when upwards is true), or
// `fallback` when the row has none.
int RoomInRow(int ry, bool upwards, int fallback) {
  for (int i = 0; i < 6; ++i) {
    const int rx = upwards ? i : 5 - i;
    if (Rooms[rx][ry] != 0) return rx;
  }
  return fallback;
}

int RoomInColumn(int rx, bool upwards, int fallback) {
  for (int i = 0; i < 6; ++i) {
    const int ry = upwards ? i : 5 - i;
    if (Rooms[rx][ry] != 0) return ry;
  }
  return fallback;
}

bool ValidRoom(int r) {
  return r >= 0 && r <= 5;
}

// In the air, a jump's run, or a throw's run carried on through a jump, is no fire press: only
// the first tick of a throw's run throws there, as the live throw did (a weapon picked up in
// mid-air is not thrown by the jump's own code).
bool AirborneRunGoesOn(int code, int action) {
  if (action != 13 && action != 14) return false;
  return code != Rec::Throw || ActionNo != 0;
}

}  // namespace

void RecordFrameStep(int code) {
  if (DemoMode == 1) return;
  if (throwStep != 0) {
    throwStep = 0;
    return;
  }
  if (code >= 0) ActionType = code;
  RecordAction();
}

void EndFrameStep() {
  throwStep = 0;
}

int ProbeAt(int px, int py) {
  return CellAt(px / 24 + 32 * RoomX, py / 24 + 24 * RoomY);
}

void TakeProbes() {
  const int x = Player->X, y = Player->Y;
  tl = ProbeAt(x, y);
  tr = ProbeAt(x + 47, y);
  bl = ProbeAt(x, y + 47);
  br = ProbeAt(x + 47, y + 47);
  bld = ProbeAt(x, y + 49);
  brd = ProbeAt(x + 47, y + 49);
  jltb = ProbeAt(x - 9, y - 3);
  jrtb = ProbeAt(x + 48, y - 3);
  jlt = ProbeAt(x + 3, y - 3);
  jrt = ProbeAt(x + 42, y - 3);
  ml = ProbeAt(x, y + 24);
  mr = ProbeAt(x + 47, y + 24);
  flt = ProbeAt(x + 3, y);
  frt = ProbeAt(x + 42, y);
  flb = ProbeAt(x + 3, y + 48);
  frb = ProbeAt(x + 42, y + 48);
  mup1 = ProbeAt(x + 24, y - 3);
  mup2 = ProbeAt(x + 24, y + 47);
  mdown1 = ProbeAt(x + 24, y);
  mdown2 = ProbeAt(x + 24, y + 49);
  fall = ProbeAt(x + 24, y + 48);
}

int KeyCode(int left, int right, int down, int up) {
  return (left ? Rec::Left : 0) + (right ? Rec::Right : 0) + (down ? Rec::Down : 0) +
         (up ? Rec::Up : 0);
}

int JoyCode(int xdir, int ydir) {
  int code = xdir < 0 ? Rec::Left : Rec::None;
  if (xdir > 0) code = Rec::Right;
  if (ydir > 0) code = Rec::Down;
  if (ydir < 0) code = Rec::Up;
  return code;
}

int ReadInput() {
  if (DemoMode != 0) {
    Fire = 0;
    return ReplayAction();
  }
  if (Control == 1) {
    const int code = JoyCode(media::JoyXDir(0), media::JoyYDir(0));
    Fire = media::JoyHit(1, 0);
    return code;
  }
  const int code = KeyCode(media::KeyDown(media::KEY_LEFT), media::KeyDown(media::KEY_RIGHT),
                           media::KeyDown(media::KEY_DOWN), media::KeyDown(media::KEY_UP));
  Fire = media::KeyHit(media::KEY_SPACE);
  return code;
}

int FindRoom() {
  const int played = DemoMode != 0 ? ReplayAction() : -1;
  // A falling player beyond a side edge moves on whatever the keys, as at the bottom edge:
  // playback has no arrow to read during a fall.
  const bool falling = Player->Action == 14;
  if (Player->X < 0 && (media::KeyDown(media::KEY_LEFT) || played == Rec::Left || falling)) {
    Player->X = 760;
    if (RoomX > 0 && ValidRoom(RoomY) && Rooms[RoomX - 1][RoomY] != 0)
      RoomX = RoomX - 1;
    else if (ValidRoom(RoomY))
      RoomX = RoomInRow(RoomY, false, RoomX);
  }
  if (Player->X > 760 && (media::KeyDown(media::KEY_RIGHT) || played == Rec::Right || falling)) {
    Player->X = 4;
    if (RoomX < 5 && RoomX >= 0 && ValidRoom(RoomY) && Rooms[RoomX + 1][RoomY] != 0)
      RoomX = RoomX + 1;
    else if (ValidRoom(RoomY))
      RoomX = RoomInRow(RoomY, true, RoomX);
  }
  if (Player->Y < 0 && (media::KeyDown(media::KEY_UP) || played == Rec::Up)) {
    Player->Y = 571;
    if (RoomY > 0 && ValidRoom(RoomX) && Rooms[RoomX][RoomY - 1] != 0)
      RoomY = RoomY - 1;
    else if (ValidRoom(RoomX))
      RoomY = RoomInColumn(RoomX, false, RoomY);
  }
  if (Player->Y > 575 &&
      (media::KeyDown(media::KEY_DOWN) || Player->Action == Act::Fall || played == Rec::Down)) {
    Player->Y = 4;
    if (RoomY < 5 && RoomY >= 0 && ValidRoom(RoomX) && Rooms[RoomX][RoomY + 1] != 0)
      RoomY = RoomY + 1;
    else if (ValidRoom(RoomX))
      RoomY = RoomInColumn(RoomX, true, RoomY);
  }
  return 0;
}

int ActivateTrap() {
  for (auto t : Traps_list.Each<bbTraps>()) {
    Trap = t;
    const int baseC = t->Roomx * 32, baseR = t->Roomy * 24;
    if (t->Kind == TrapKind::Crumble) {
      if (!ImagesOverlap(PlayerSprite, Player->X, Player->Y, XDoor, t->X * 24, t->Y * 24))
        t->Passing = 0;
      if (t->NumOfPass >= 2) {
        PlaySfx(sndFloor);
        for (int c = t->X; c <= t->X + 3; ++c)
          SetCell(baseC + c, baseR + t->Y + 1, CellCode::Empty);
        t->Remove();
      }
    } else if (t->Kind == TrapKind::VanishLadder) {
      if (!ImagesOverlap(PlayerSprite, Player->X, Player->Y, Bricks, t->X * 24, t->Y * 24))
        t->Passing = 0;
      if (t->NumOfPass >= 3) {
        PlaySfx(sndLadder);
        for (int r = t->Y + 1; r <= t->Y + t->Height - 1; ++r) {
          SetCell(baseC + t->X, baseR + r, CellCode::Empty);
          SetCell(baseC + t->X + 1, baseR + r, CellCode::Empty);
        }
        SetCell(baseC + t->X, baseR + t->Y, CellCode::Brick);
        SetCell(baseC + t->X + 1, baseR + t->Y, CellCode::Brick);
        t->Remove();
      }
    }
  }
  return 0;
}

int UpdatePlayer() {
  if (!Player) return 0;
  if ((Player->X < 0 || Player->X > 760 || Player->Y < 0 || Player->Y > 575) &&
      Player->Action != Act::Jump)
    FindRoom();
  TakeProbes();
  const int code = TickInput();
  inputTaken = false;
  const int action = Player->Action;
  if (DemoMode == 0) {
    EndRecordedTick();
    if (Fire != 0) {
      inputSteps = 0;
      FireStep(code);
      // A press that starts nothing on the ground or a ladder still takes this tick: it is
      // recorded as no input, so playback spends the tick too and stays in step with enemies.
      if (inputSteps == 0 && Player->Action == action && (action == 0 || action == 15))
        Record(Rec::None);
    } else if (action == 0 || action == 15)
      DirectionStep(code);
  } else {
    if ((action == Act::Ground || action == Act::Ladder) && code >= Rec::Left && code <= Rec::Up)
      DirectionStep(code);
    else if (code >= Rec::JumpUp && code <= Rec::DigDown && !AirborneRunGoesOn(code, action))
      FireStep(code);
  }
  return 0;
}

int TickInput() {
  if (!inputTaken) {
    takenCode = ReadInput();
    takenFire = Fire;
    inputTaken = true;
  }
  Fire = takenFire;
  return takenCode;
}

int TickArrow() {
  if (DemoMode != 0) return ReplayAction();
  const int code = TickInput();
  if (Player->Action == 0 || Player->Action == 15) {
    if (Fire != 0) return kActionNone;
    return code >= kActionLeft && code <= kActionUp ? code : kActionNone;
  }
  return ActionType;
}

void ResetPlayerGlobals() {
  inputTaken = false;
  takenCode = takenFire = 0;
  tl = tr = bl = br = bld = brd = jltb = jrtb = jlt = jrt = ml = mr = 0;
  flt = frt = flb = frb = mup1 = mup2 = mdown1 = mdown2 = fall = 0;
  Fire = dx = RectJump = Deep = 0;
  inputSteps = throwStep = 0;
}

namespace {
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetPlayerGlobals);
}  // namespace
