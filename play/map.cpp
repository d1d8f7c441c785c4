#include "play/map.h"

#include "core/draw.h"
#include "core/globals.h"
#include "media/graphics.h"
#include "play/render.h"

int RoomXX = 0, RoomYY = 0;

int DrawMap() {
  RenderBack();
  media::SetColor(0, 0, 0);
  media::DrawRect(512, 0, 300, 600);
  for (int ry = 0; ry < 6; ++ry) {
    for (int rx = 0; rx < 6; ++rx) {
      const int x = 520 + 40 * rx, y = 250 + 40 * ry;
      media::SetColor(255, 255, 255);
      Rect(x, y, 39, 39, 0);
      if (Rooms[rx][ry] == 1) {
        media::SetColor(0, 255, 0);
        media::DrawRect(static_cast<float>(x + 2), static_cast<float>(y + 2), 36, 36);
      }
    }
  }
  if (RoomXX >= 0 && RoomXX < 6 && RoomYY >= 0 && RoomYY < 6) {
    media::SetColor(255, 0, 0);
    media::DrawRect(static_cast<float>(522 + 40 * RoomXX), static_cast<float>(252 + 40 * RoomYY),
                    36, 36);
  }
  media::Flip(-1);
  RenderOverBorders();
  return 0;
}
