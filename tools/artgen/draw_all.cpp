#include <algorithm>

#include "tools/artgen/fonts.h"
#include "tools/artgen/pictures.h"

namespace artgen {

const char* const kLanguages[4] = {"en", "fr", "gr", "it"};

const Picture* FindPicture(const std::vector<Picture>& out, const std::string& name) {
  for (auto& p : out)
    if (p.name == name) return &p;
  return nullptr;
}

Canvas CellOf(const std::vector<Picture>& out, const std::string& name, int index) {
  const Picture* p = FindPicture(out, name);
  if (!p || p->cellW == 0) return Canvas(1, 1);
  int perRow = p->canvas.Width() / p->cellW;
  return p->canvas.Crop((index % perRow) * p->cellW, (index / perRow) * p->cellH, p->cellW,
                        p->cellH);
}

std::string LangFolder(int lang) {
  return lang == 0 ? "Images/" : std::string("Images/") + kLanguages[lang] + "/";
}

std::vector<Picture> DrawAll(const Sources& src) {
  Art art{src, BuildPropFont(src), BuildMenuFont(src, 0), BuildMenuFont(src, 1)};
  std::vector<Picture> out;
  DrawFontPictures(art, out);
  DrawWordPictures(art, out);
  DrawInterfacePictures(art, out);
  DrawWorldPictures(art, out);
  DrawItemPictures(art, out);
  DrawPlayerPictures(art, out);
  DrawEnemyPictures(art, out);
  DrawDoorPictures(art, out);
  DrawMapPictures(art, out);
  DrawEditorPictures(art, out);
  return out;
}

void DrawFontPictures(const Art& art, std::vector<Picture>& out) {
  out.push_back(Picture{"Images/Font.png", art.font, 16, 16, 95});
  out.push_back(Picture{"Images/optAlpha.png", art.menu, 16, 16, 59});
  out.push_back(Picture{"Images/optAlpha2.png", art.menu2, 16, 16, 59});
}

Canvas ContactSheet(const Picture& p, const Sources& src, int first, int last) {
  const int cw = p.cellW ? p.cellW : p.canvas.Width();
  const int ch = p.cellH ? p.cellH : p.canvas.Height();
  const int total = p.cellW ? p.count : 1;
  first = std::clamp(first, 0, total - 1);
  last = std::clamp(last, first, total - 1);
  const int count = last - first + 1;
  const int perRow = std::max(1, std::min(count, std::max(1, 1000 / (cw + 8))));
  const int rows = (count + perRow - 1) / perRow;
  const int pitchX = cw + 8, pitchY = ch + 18;
  Canvas sheet(perRow * pitchX + 8, rows * pitchY + 8, 0x303038);
  const int perSrcRow = std::max(1, p.canvas.Width() / cw);
  for (int i = 0; i < count; ++i) {
    int x = 8 + (i % perRow) * pitchX, y = 8 + (i / perRow) * pitchY;
    // A checkerboard shows what is transparent.
    for (int j = 0; j < ch; ++j)
      for (int k = 0; k < cw; ++k)
        sheet.Put(x + k, y + 10 + j, ((j / 4 + k / 4) & 1) ? 0x50505A : 0x464650);
    const int cell = first + i;
    sheet.BlitPart(p.canvas, (cell % perSrcRow) * cw, (cell / perSrcRow) * ch, cw, ch, x, y + 10);
    DrawTinyText(sheet, src, std::to_string(cell), x, y, 0xE0E0E0);
  }
  return sheet;
}

}  // namespace artgen
