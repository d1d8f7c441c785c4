#include "play/render.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/text.h"
#include "media/graphics.h"
#include "media/text.h"

int redvalue = 0, greenvalue = 0, reddisp = 5, greendisp = 5;
int Statusred = 3, Statusdisp = 3;
int itemframeRate = 0, itemframecounter = 0;

namespace {

constexpr int kRoomW = kRoomCols * kCell;  // 768
constexpr int kRoomH = kRoomRows * kCell;  // 576

// One step of a pulsing value; the step turns round at 0 and 255.
void Pulse(int& value, int& step) {
  value += step;
  if (value <= 0 || value >= 255) step = -step;
}

bool InRoom(int rx, int ry) {
  return rx == RoomX && ry == RoomY;
}

// The Bricks frame RenderBlocks draws for a cell code in block theme `theme`, or -1 for none.
int BlockFrame(int code, int theme) {
  if (code >= CellCode::Block && code <= CellCode::Ladder) return theme * 3 + code - 1;
  if (code == CellCode::VanishLadder) return 18;
  return -1;
}

// For each row of the room, one bit per column of the cells that RenderBlocks will cover whole
// with an opaque picture in the current drawing state.
using CoveredRows = std::array<std::uint32_t, kRoomRows>;
static_assert(kRoomCols <= 32);

CoveredRows CoveredCells(int firstColumn, int firstRow, int theme) {
  CoveredRows rows{};
  std::vector<signed char> covers(static_cast<std::size_t>(media::ImageFrames(Bricks)), -1);
  for (int r = 0; r < kRoomRows; ++r) {
    for (int c = 0; c < kRoomCols; ++c) {
      const int frame = BlockFrame(CellAt(firstColumn + c, firstRow + r), theme);
      if (frame < 0 || frame >= static_cast<int>(covers.size())) continue;
      if (covers[frame] < 0)
        covers[frame] = media::DrawImageCovers(Bricks, frame, 0, 0, kCell, kCell);
      if (covers[frame] != 0) rows[r] |= std::uint32_t{1} << c;
    }
  }
  return rows;
}

bool WholePixels(float v) {
  return v == std::floor(v) && std::fabs(v) <= 1e6f;
}

// Where the backdrop goes: the origin in whole pixels, the viewport, and for each row of the
// backdrop's cell whether the pulsing colour shows through it (the row is not opaque from edge
// to edge); no rows: it shows everywhere.
struct Backdrop {
  std::int64_t ox = 0, oy = 0;
  int vx = 0, vy = 0, vw = 0, vh = 0;
  std::vector<char> holes;
};

Backdrop BackdropNow(float ox, float oy) {
  Backdrop b;
  b.ox = static_cast<std::int64_t>(ox);
  b.oy = static_cast<std::int64_t>(oy);
  media::GetViewport(b.vx, b.vy, b.vw, b.vh);
  const int w = media::ImageWidth(Back), h = media::ImageHeight(Back);
  bool anyOpaque = false;
  for (int v = 0; v < h; ++v) {
    const bool opaque = media::DrawImageCovers(Back, BackGround, 0, v, w, 1);
    b.holes.push_back(opaque ? 0 : 1);
    anyOpaque = anyOpaque || opaque;
  }
  if (!anyOpaque) b.holes.clear();
  return b;
}

// The backdrop (the pulsing colour, then `BackGround` tiled) inside the window rectangle
// x0..x1, y0..y1 within the viewport: exactly the pixels RenderBack draws there. The colour
// goes only into the rows where the backdrop does not cover it. The viewport is left changed.
void BackIn(const Backdrop& b, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  x0 = std::max<std::int64_t>(x0, b.vx);
  y0 = std::max<std::int64_t>(y0, b.vy);
  x1 = std::min<std::int64_t>(x1, std::int64_t{b.vx} + b.vw);
  y1 = std::min<std::int64_t>(y1, std::int64_t{b.vy} + b.vh);
  if (x0 >= x1 || y0 >= y1) return;
  media::SetViewport(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                     static_cast<int>(y1 - y0));
  const auto n = static_cast<std::int64_t>(b.holes.size());
  if (n == 0) {
    media::DrawRect(0, 0, 800, 600);
  } else {
    // Only screen rows hold colour that shows, so a drawing far away is clipped anyway.
    y0 = std::max<std::int64_t>(y0, 0);
    y1 = std::min<std::int64_t>(y1, media::GraphicsHeight());
    std::int64_t row = ((y0 - b.oy) % n + n) % n;  // of the backdrop's cell, at y0
    std::int64_t from = -1;                        // the first row of a run of holes
    for (std::int64_t y = y0; y <= y1; ++y) {
      const bool hole = y < y1 && b.holes[row] != 0;
      if (hole && from < 0) from = y;
      if (!hole && from >= 0) {
        media::DrawRect(0, static_cast<float>(from - b.oy), 800, static_cast<float>(y - from));
        from = -1;
      }
      if (++row == n) row = 0;
    }
  }
  ::TileImage(Back, 0, 0, BackGround);
}

// The backdrop over the viewport, left out of the room's covered cells.
void DrawBackdrop(const CoveredRows& covered) {
  float ox = 0, oy = 0;
  media::GetOrigin(ox, oy);
  if (!WholePixels(ox) || !WholePixels(oy)) {
    media::DrawRect(0, 0, 800, 600);
    ::TileImage(Back, 0, 0, BackGround);
    return;
  }
  const Backdrop b = BackdropNow(ox, oy);
  const std::int64_t left = b.ox, top = b.oy, right = left + kRoomW, bottom = top + kRoomH;
  const std::int64_t far = std::int64_t{1} << 40;
  if (std::all_of(covered.begin(), covered.end(), [](std::uint32_t r) { return r == 0; })) {
    BackIn(b, -far, -far, far, far);
  } else {
    // Around the room, then the room's uncovered cells, rows of the same pattern together.
    BackIn(b, -far, -far, far, top);
    BackIn(b, -far, bottom, far, far);
    BackIn(b, -far, top, left, bottom);
    BackIn(b, right, top, far, bottom);
    for (int r = 0; r < kRoomRows;) {
      int next = r + 1;
      while (next < kRoomRows && covered[next] == covered[r]) ++next;
      for (int c = 0; c < kRoomCols;) {
        if ((covered[r] >> c & 1u) != 0) {
          ++c;
          continue;
        }
        int end = c + 1;
        while (end < kRoomCols && (covered[r] >> end & 1u) == 0) ++end;
        BackIn(b, left + kCell * c, top + kCell * r, left + kCell * end, top + kCell * next);
        c = end;
      }
      r = next;
    }
  }
  media::SetViewport(b.vx, b.vy, b.vw, b.vh);
}

// A ladder piece covered by a resting rock, drawn back: code 3 a ladder's left cell, code 4 a
// vanishing ladder's; other codes draw nothing.
void LadderPiece(int code, int x, int y, int theme) {
  if (code == CellCode::Ladder) DrawImage(Bricks, x, y, theme * 3 + 2);
  if (code == CellCode::VanishLadder) DrawImage(Bricks, x, y, 18);
}

// The ladder pieces in the right-hand column under a stone (a vanishing ladder's piece shows
// the wall picture, frame 19).
void CoveredByStones(int theme) {
  for (auto t : Traps_list.Each<bbTraps>()) {
    Trap = t;
    if (t->Kind != TrapKind::Stone || !InRoom(t->Roomx, t->Roomy)) continue;
    const int x = (t->X + 1) * kCell, y = t->Y * kCell;
    if (t->Block2 == CellCode::Ladder) DrawImage(Bricks, x, y, theme * 3 + 2);
    if (t->Block4 == CellCode::Ladder) DrawImage(Bricks, x, y + kCell, theme * 3 + 2);
    if (t->Block2 == CellCode::VanishLadder) DrawImage(Bricks, x, y, 19);
    if (t->Block4 == CellCode::VanishLadder) DrawImage(Bricks, x, y + kCell, 19);
  }
}

void CoffinsAndRocks(int theme) {
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    if ((e->Kind == EnemyKind::SlowMummy || e->Kind == EnemyKind::FastMummy) &&
        InRoom(e->OriginRoomX, e->OriginRoomY))
      DrawImage(Doors, e->CoffineX, e->CoffineY, e->CoffineCounter + 24 + 3 * e->Kind);
    if (e->Kind == EnemyKind::Rock && e->State == EnemyState::Resting &&
        InRoom(e->RoomX, e->RoomY)) {
      const int bx = e->x - kRoomW * e->RoomX, by = e->y - kRoomH * e->RoomY;
      // Ladders first, vanishing ladders over them, the left column before the right.
      for (int code : {CellCode::Ladder, CellCode::VanishLadder}) {
        if (e->Block1 == code) LadderPiece(code, bx, by, theme);
        if (e->Block3 == code) LadderPiece(code, bx, by + kCell, theme);
      }
      for (int code : {CellCode::Ladder, CellCode::VanishLadder}) {
        if (e->Block2 == code) LadderPiece(code, bx + kCell, by, theme);
        if (e->Block4 == code) LadderPiece(code, bx + kCell, by + kCell, theme);
      }
    }
  }
}

}  // namespace

int RenderBack() {
  Pulse(redvalue, reddisp);
  Pulse(greenvalue, greendisp);
  media::SetColor(redvalue, greenvalue, 100);
  DrawBackdrop(CoveredRows{});
  return 0;
}

int RenderBack(int firstColumn, int firstRow, int theme) {
  Pulse(redvalue, reddisp);
  Pulse(greenvalue, greendisp);
  media::SetColor(redvalue, greenvalue, 100);
  DrawBackdrop(CoveredCells(firstColumn, firstRow, theme));
  return 0;
}

int RenderDecoration() {
  Pulse(Statusred, Statusdisp);
  for (auto s : statuses_list.Each<bbstatuses>()) {
    status = s;
    if (!InRoom(s->roomx, s->roomy)) continue;
    media::SetColor(Statusred, 0, 0);
    media::DrawRect(static_cast<float>(s->x * kCell + 21), static_cast<float>(s->y * kCell + 15),
                    60, 58);
    DrawImage(Statusprite, s->x * kCell, s->y * kCell, s->frame + 2 * BackGround);
  }
  return 0;
}

int RenderBlocks(int firstColumn, int firstRow, int theme) {
  CoveredByStones(theme);
  CoffinsAndRocks(theme);
  for (int r = 0; r < kRoomRows; ++r) {
    for (int c = 0; c < kRoomCols; ++c) {
      const int frame = BlockFrame(CellAt(firstColumn + c, firstRow + r), theme);
      if (frame >= 0) DrawImage(Bricks, kCell * c, kCell * r, frame);
    }
  }
  return 0;
}

int RenderExitDoor() {
  if (Exitdoor && Exitdoor->State > DoorState::None && InRoom(Exitdoor->roomx, Exitdoor->roomy))
    DrawImage(XDoor, Exitdoor->x * kCell, Exitdoor->y * kCell, Exitdoor->Frame);
  return 0;
}

int RenderItems() {
  itemframeRate += 1;
  if (itemframeRate >= 8) {
    itemframeRate = 0;
    itemframecounter = (itemframecounter + 1) % 8;
  }
  for (auto i : Items_list.Each<bbItems>()) {
    item = i;
    if (InRoom(i->RoomX, i->RoomY))
      DrawImage(ItemSprite, i->X * kCell, i->Y * kCell, i->frame + itemframecounter);
  }
  return 0;
}

int Rendertraps() {
  for (auto t : Traps_list.Each<bbTraps>()) {
    Trap = t;
    if (!InRoom(t->Roomx, t->Roomy)) continue;
    const int x = t->X * kCell, y = t->Y * kCell;
    switch (t->Kind) {
      case TrapKind::WallTrap:
        if (EditMode != 0) {
          media::SetColor(0, 0, 200);
          media::DrawRect(static_cast<float>(x), static_cast<float>(y), kCell,
                          static_cast<float>(t->Height * kCell + 48));
        }
        DrawImage(Bricks, x, y, 19);
        break;
      case TrapKind::Crumble:
        DrawImage(XDoor, x, y, 31);
        break;
      case TrapKind::Stone:
        DrawImage(ItemSprite, x, y, 63);
        break;
      case TrapKind::VanishLadder:
        DrawImage(Bricks, x, y, 18);
        break;
      case TrapKind::TwoWayLeft:
      case TrapKind::TwoWayRight:
      case TrapKind::OneWayLeft:
      case TrapKind::OneWayRight:
        DrawImage(Doors, x, y, t->Frame);
        break;
      default:
        break;
    }
  }
  return 0;
}

int RenderWeapons() {
  for (auto w : Weapons_list.Each<bbWeapons>()) {
    Weapon = w;
    if (w->State != 0 && InRoom(w->roomx, w->roomy))
      DrawImage(ItemSprite, w->x - kRoomW * w->roomx, w->y - kRoomH * w->roomy,
                w->Frame + w->framecounter);
  }
  return 0;
}

int RenderEnemiesG() {
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    if (e->Visible == 1 && InRoom(e->RoomX, e->RoomY))
      DrawImage(Enemiesprite, e->x - kRoomW * e->RoomX, e->y - kRoomH * e->RoomY,
                e->frame + e->framecounter);
  }
  return 0;
}

int RenderPanel() {
  if (Tutorial == 0) {
    DrawImage(ScoreBar, 0, 576);
    DrawBmpFont(std::to_string(Player ? Player->Score : 0), 385, 583);
    return 0;
  }
  media::SetColor(0, 200, 255);
  media::DrawLine(0, 576, 767, 576);
  media::DrawLine(0, 576, 0, 599);
  media::DrawLine(767, 576, 767, 599);
  media::DrawLine(0, 599, 767, 599);
  media::SetColor(0, 0, 0);
  media::DrawRect(1, 577, 765, 22);
  const std::string& line = TutNo >= 0 && TutNo < 12 ? Tut[TutNo] : std::string();
  DrawBmpFont(line, 432 - media::TextWidth(line) / 2, 580);
  DisplayText(media::Upper(Lang[61]), 3, 3);
  return 0;
}

void ResetRenderGlobals() {
  redvalue = greenvalue = 0;
  reddisp = greendisp = 5;
  Statusred = Statusdisp = 3;
  itemframeRate = itemframecounter = 0;
}

namespace {
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetRenderGlobals);
}  // namespace
