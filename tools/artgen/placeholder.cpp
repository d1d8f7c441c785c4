// Stand-in drawings: a framed, numbered box per cell, for pictures not drawn yet.
#include "tools/artgen/fonts.h"
#include "tools/artgen/pictures.h"

namespace artgen {
namespace {

void Box(const Art& art, Canvas& c, int x, int y, int w, int h, Colour fill, int number) {
  c.Fill(x + 2, y + 2, w - 4, h - 4, fill);
  c.Frame(x + 2, y + 2, w - 4, h - 4, art.C("ink"));
  if (number >= 0) DrawTinyText(c, art.src, std::to_string(number), x + 4, y + 4, art.C("white"));
}

Picture Boxes(const Art& art, const std::string& name, int w, int h, int n, int perRow,
              Colour fill) {
  Cells cells(w, h, n, perRow);
  for (int i = 0; i < n; ++i) Box(art, cells.canvas, cells.X(i), cells.Y(i), w, h, fill, i);
  return cells.Done(name);
}

Picture Single(const Art& art, const std::string& name, int w, int h, Colour fill) {
  Canvas c(w, h);
  Box(art, c, 0, 0, w, h, fill, -1);
  DrawTinyText(c, art.src, name, 6, 6, art.C("white"));
  return Picture{name, c, 0, 0, 1};
}

}  // namespace

void DrawInterfacePictures(const Art& art, std::vector<Picture>& out) {
  out.push_back(Single(art, "Images/Flags.png", 192, 48, art.C("lapis")));
  out.push_back(Single(art, "Images/fspointer.png", 16, 16, art.C("white")));
  out.push_back(Single(art, "Images/fsarrows.png", 32, 16, art.C("white")));
  out.push_back(Single(art, "Images/BigLogo.png", 300, 300, art.C("gold")));
  out.push_back(Single(art, "Images/Editor.png", 159, 600, art.C("stone")));
  out.push_back(Single(art, "Images/Editor2.png", 641, 110, art.C("stone")));
  out.push_back(Single(art, "Images/quit.png", 155, 139, art.C("red")));
  out.push_back(Boxes(art, "Images/buttons.png", 75, 75, 3, 3, art.C("sand")));
  out.push_back(Boxes(art, "Images/Arrow.png", 32, 32, 10, 10, art.C("gold")));
  out.push_back(Single(art, "Images/Title.png", 800, 600, art.C("navy")));
}

}  // namespace artgen
