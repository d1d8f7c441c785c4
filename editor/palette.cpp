#include "editor/palette.h"

#include <string>

#include "core/draw.h"
#include "core/globals.h"
#include "editor/rooms.h"
#include "editor/screen.h"
#include "media/media.h"

namespace {

constexpr int kButton = 52;  // palette and bottom-panel buttons are 52 pixels
constexpr int kTools = 26;
constexpr int kMapX = 645, kMapY = 472, kMapStep = 14;

}  // namespace

bool OnPanel(int mx, int my) {
  return ImagesOverlap(ItemSprite, mx, my, Editor, 690, 0) == 1 ||
         ImagesOverlap(ItemSprite, mx, my, Editor2, 0, 490) == 1;
}

int PaletteIndex(int mx, int my) {
  return 3 * (my / kButton) + (mx - 650) / kButton + 1;
}

int HighlightX(int mx) {
  return ((mx - 16) / kButton) * kButton;
}

int HighlightY(int my) {
  return (my / kButton) * kButton;
}

bool RoomMapHit(int mx, int my, int& rx, int& ry) {
  if (mx < 647 || mx > 729 || my < 473 || my > 552) return false;
  rx = (mx - (kMapX + 1)) / kMapStep;
  ry = (my - kMapY) / kMapStep;
  return true;
}

void PanelClick(EditorLoop& loop, int mx, int my) {
  if (mx <= 641 || my >= 570) return;
  const int i = PaletteIndex(mx, my);
  if (i <= kTools) {
    loop.tool = i;
    loop.hx = HighlightX(mx);
    loop.hy = HighlightY(my);
    return;
  }
  int rx = 0, ry = 0;
  if (!RoomMapHit(mx, my, rx, ry)) return;
  RoomX = rx, RoomY = ry;
  if (NumOfRooms <= 35 && Rooms[RoomX][RoomY] == 0) {
    Rooms[RoomX][RoomY] = 1;
    NumOfRooms += 1;
  }
}

void BottomPanelClick(EditorLoop& loop, int mx, int my) {
  if (ImagesOverlap(ItemSprite, mx, my, Editor2, 0, 545) != 1 || Show != 1 || my > 544) {
    loop.button = -1;
    return;
  }
  int b = mx / kButton + ((my - 545) / kButton) * 3;
  if (b > 10) b = loop.button;
  loop.button = b;
  if (b == 0) {
    DeleteAll();
  } else if (b >= 3 && b <= 8) {
    Worldtheme = b - 3;
    const int half = mx / 26 - 4;
    loop.button = half;
    if (half <= 13) BackGround = mx / 26 - 6;
  }
}

void DrawPanels(EditorLoop& loop) {
  ShowPanel();
  media::SetColor(100, 100, 100);
  for (int ry = 0; ry < 6; ++ry)
    for (int rx = 0; rx < 6; ++rx)
      if (Rooms[rx][ry] == 1) media::DrawRect(kMapX + kMapStep * rx, kMapY + kMapStep * ry, 13, 13);
  media::SetColor(255, 0, 0);
  media::DrawRect(kMapX + kMapStep * RoomX, kMapY + kMapStep * RoomY, 13, 13);

  loop.green += disp;
  if (loop.green < 1 || loop.green > 254) disp = -disp;
  media::SetColor(10, loop.green, 40);
  Rect(loop.hx + 19, loop.hy + 2, 52, 52);
  Rect(loop.hx + 20, loop.hy + 3, 50, 50);

  media::SetColor(255, 255, 255);
  media::DrawText(std::to_string(loop.sx), 760, 480);
  media::DrawText(std::to_string(loop.sy), 760, 515);
  media::DrawText(ItemName[loop.tool], 473, 513);
  media::DrawText(SN, 650, 575);
}
