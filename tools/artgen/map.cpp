// map.png and map2.png: the map screen's icons at two thirds (16 pixels per 24-pixel cell), made
// from the full-size pictures so that they always match them.
#include "tools/artgen/theme.h"

namespace artgen {
namespace {

// The map's scale: a 24-pixel cell becomes 16 pixels.
Canvas Small(const Canvas& src) {
  return src.Scaled(src.Width() * 2 / 3, src.Height() * 2 / 3);
}

}  // namespace

void DrawMapPictures(const Art& art, std::vector<Picture>& out) {
  Cells map(32, 32, 36, 6);
  auto put = [&](int i, const Canvas& icon, int dx = 0, int dy = 0) {
    map.canvas.BlitPart(icon, 0, 0, std::min(32, icon.Width()), std::min(32, icon.Height()),
                        map.X(i) + dx, map.Y(i) + dy);
  };
  for (int t = 0; t < 6; ++t)
    for (int k = 0; k < 3; ++k) put(3 * t + k, Small(CellOf(out, "Images/Bricks.png", 3 * t + k)));
  put(18, Small(CellOf(out, "Images/Bricks.png", 18)));
  // Door slices: one solid cell of each kind at rest, as 32 x 16.
  const int doorFrame[4] = {0, 3, 12, 15};
  for (int k = 0; k < 4; ++k) {
    Canvas slice = CellOf(out, "Images/Doors.png", doorFrame[k]).Crop(0, 12, 48, 24);
    put(19 + k, Small(slice));
  }
  // Enemies by kind at their stored frames, items by kind, the stone, the player's start.
  const int enemyFrame[4] = {22, 24, 26, 17};
  for (int k = 0; k < 4; ++k) put(23 + k, Small(CellOf(out, "Images/Enemies.png", enemyFrame[k])));
  for (int k = 0; k < 7; ++k) put(27 + k, Small(CellOf(out, "Images/Items.png", 8 * k + 1)));
  put(34, Small(CellOf(out, "Images/Items.png", 63)));
  // The figure with its helmet (from row 20 of the cell), a little under two thirds.
  Canvas start = CellOf(out, "Images/Player.png", 7).Crop(0, 20, 48, 52).Scaled(30, 32);
  Canvas marker(32, 32);
  marker.Ellipse(2, 22, 28, 9, art.C("gold"));
  marker.Ellipse(5, 24, 22, 5, art.C("gold_dark"));
  marker.Blit(start, 1, 0);
  put(35, marker);
  out.push_back(map.Done("Images/map.png"));

  Cells map2(64, 64, 2, 2);
  // The shut door without a count: the map does not know how much gold is left.
  map2.canvas.Blit(Small(CellOf(out, "Images/XDoor.png", 30)), 0, 0);
  map2.canvas.Blit(Small(CellOf(out, "Images/XDoor.png", 31)), 64, 0);
  out.push_back(map2.Done("Images/map2.png"));
}

}  // namespace artgen
