// Review scenes: a made-up room per block theme drawn the way the play screen layers the
// pictures, to judge at 1x how they look together. Written with the contact sheets.
#include "tools/artgen/pictures.h"

namespace artgen {
namespace {

void Draw(Canvas& dst, const std::vector<Picture>& all, const std::string& name, int frame, int x,
          int y) {
  const Picture* p = FindPicture(all, name);
  if (!p) return;
  int cw = p->cellW ? p->cellW : p->canvas.Width(), ch = p->cellH ? p->cellH : p->canvas.Height();
  int perRow = p->canvas.Width() / cw;
  dst.BlitPart(p->canvas, (frame % perRow) * cw, (frame / perRow) * ch, cw, ch, x, y);
}

}  // namespace

Canvas PreviewRoom(const std::vector<Picture>& all, int theme) {
  Canvas room(768, 600, 0x6E6E64);  // the pulsing colour, caught mid-way
  for (int y = 0; y < 576; y += 96)
    for (int x = 0; x < 768; x += 192) Draw(room, all, "Images/Back.png", 2 * theme, x, y);
  Draw(room, all, "Images/Status.png", 4 * theme, 456, 312);
  auto block = [&](int c, int r, int code) {
    Draw(room, all, "Images/Bricks.png", code == 4 ? 18 : theme * 3 + code - 1, c * 24, r * 24);
  };
  for (int c = 0; c < 32; ++c) {
    block(c, 23, 1);
    block(c, 17, c % 7 == 3 ? 1 : 2);
  }
  for (int r = 0; r < 24; ++r) {
    block(0, r, 1);
    block(31, r, 1);
  }
  for (int r = 9; r < 17; ++r) block(10, r, 3);
  for (int c = 11; c < 24; ++c) block(c, 9, 2);
  for (int r = 3; r < 9; ++r) block(26, r, 4);
  Draw(room, all, "Images/Doors.png", 24, 6 * 24, 14 * 24);
  Draw(room, all, "Images/XDoor.png", 5, 26 * 24, 19 * 24);
  Draw(room, all, "Images/Items.png", 49, 4 * 24, 21 * 24);
  Draw(room, all, "Images/Items.png", 33, 16 * 24, 7 * 24);
  Draw(room, all, "Images/Items.png", 63, 20 * 24, 21 * 24);
  Draw(room, all, "Images/Doors.png", 4, 13 * 24, 18 * 24);
  Draw(room, all, "Images/Enemies.png", 0, 7 * 24, 15 * 24);
  Draw(room, all, "Images/Enemies.png", 8, 18 * 24, 15 * 24);
  Draw(room, all, "Images/Enemies.png", 12, 22 * 24, 7 * 24);
  Draw(room, all, "Images/Player.png", 5, 9 * 24, 21 * 24 - 24);
  Draw(room, all, "Images/ScoreBar.png", 0, 0, 576);
  return room;
}

}  // namespace artgen
