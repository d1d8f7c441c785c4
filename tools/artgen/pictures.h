// Every picture the game carries, drawn from the sources.
#pragma once

#include <string>
#include <vector>

#include "tools/artgen/canvas.h"
#include "tools/artgen/sources.h"

namespace artgen {

struct Picture {
  std::string name;  // as embedded, e.g. "Images/Player.png"
  Canvas canvas;
  int cellW = 0;  // 0 for a single picture
  int cellH = 0;
  int count = 1;
};

// A picture cut into equal cells row by row.
struct Cells {
  Cells(int cellW, int cellH, int count, int perRow)
      : w(cellW),
        h(cellH),
        n(count),
        perRow(perRow),
        canvas(cellW * perRow, cellH * ((count + perRow - 1) / perRow)) {}
  int X(int i) const { return (i % perRow) * w; }
  int Y(int i) const { return (i / perRow) * h; }
  Picture Done(const std::string& name) { return Picture{name, canvas, w, h, n}; }
  int w, h, n, perRow;
  Canvas canvas;
};

// The shared inputs of the drawing code: the sources and the fonts already built.
struct Art {
  const Sources& src;
  Canvas font;   // proportional
  Canvas menu;   // optAlpha
  Canvas menu2;  // optAlpha2
  Colour C(const std::string& name) const { return src.C(name); }
};

// The picture of that name among those drawn so far, or null.
const Picture* FindPicture(const std::vector<Picture>& out, const std::string& name);
// A copy of one cell of a picture drawn so far (a 1 x 1 canvas when there is no such picture).
Canvas CellOf(const std::vector<Picture>& out, const std::string& name, int index);

extern const char* const kLanguages[4];  // "en", "fr", "gr", "it"
std::string LangFolder(int lang);        // "Images/", "Images/fr/", ...

void DrawFontPictures(const Art& art, std::vector<Picture>& out);
void DrawWordPictures(const Art& art, std::vector<Picture>& out);
void DrawInterfacePictures(const Art& art, std::vector<Picture>& out);
void DrawWorldPictures(const Art& art, std::vector<Picture>& out);
void DrawItemPictures(const Art& art, std::vector<Picture>& out);
void DrawPlayerPictures(const Art& art, std::vector<Picture>& out);
void DrawEnemyPictures(const Art& art, std::vector<Picture>& out);
void DrawDoorPictures(const Art& art, std::vector<Picture>& out);
// The map screen's icons, scaled from the pictures already in `out`.
void DrawMapPictures(const Art& art, std::vector<Picture>& out);
// The editor's panels, with icons cut from the pictures already in `out`.
void DrawEditorPictures(const Art& art, std::vector<Picture>& out);

// The player seen from behind (48 x 72): climbing step 0..3, or -1 walking away.
Canvas PlayerFromBehind(const Art& art, int step, int tool);

std::vector<Picture> DrawAll(const Sources& src);

// A review sheet: the cells first..last laid out on a grey grid with their numbers.
Canvas ContactSheet(const Picture& picture, const Sources& src, int first = 0, int last = 1 << 20);

// A made-up room of block theme t with the sprites in it, for review.
Canvas PreviewRoom(const std::vector<Picture>& all, int theme);

}  // namespace artgen
