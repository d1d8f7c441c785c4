// The pictures that carry words, one per language: the title menu in its normal and highlighted
// looks, the score bar and the two help pictures.
#include <algorithm>

#include "tools/artgen/fonts.h"
#include "tools/artgen/pictures.h"

namespace artgen {
namespace {

constexpr int kMenuW = 295, kMenuRow = 44;

// A plaque behind a menu entry: a bevelled stone bar, lit (highlighted) or plain.
void Plaque(const Art& art, Canvas& c, int y, bool lit) {
  Colour face = lit ? art.C("lapis") : art.C("brown");
  Colour hi = lit ? art.C("turq_light") : art.C("sand_dark");
  Colour lo = lit ? art.C("navy") : art.C("brown_dark");
  // Rows 3..35 of each 44-pixel row: the last entry stays clear of the credits strip that
  // covers the title screen from y 584 (picture row 257).
  int x0 = 6, w = kMenuW - 12, top = y + 3, h = kMenuRow - 11;
  c.Fill(x0 + 2, top, w - 4, h, face);
  c.Fill(x0, top + 2, w, h - 4, face);
  c.Fill(x0 + 2, top, w - 4, 1, hi);
  c.Fill(x0, top + 2, 1, h - 4, hi);
  c.Fill(x0 + 2, top + h - 1, w - 4, 1, lo);
  c.Fill(x0 + w - 1, top + 2, 1, h - 4, lo);
  c.Put(x0 + 1, top + 1, hi);
  c.Put(x0 + w - 2, top + h - 2, lo);
  Colour stud = lit ? art.C("gold_light") : art.C("gold_dark");
  c.Disc(x0 + 9, top + h / 2, 2, stud);
  c.Disc(x0 + w - 10, top + h / 2, 2, stud);
}

void MenuEntry(const Art& art, Canvas& c, int row, int y, bool lit, const std::string& lang) {
  Plaque(art, c, y, lit);
  std::string word = art.src.Word(lang, "menu." + std::to_string(row));
  int n = static_cast<int>(std::min<size_t>(word.size(), 16));
  int x = (kMenuW - 16 * n) / 2;
  DrawMenuText(c, lit ? art.menu : art.menu2, word.substr(0, n), x, y + 11);
}

Canvas ScoreBar(const Art& art, const std::string& lang) {
  Canvas c(768, 24);
  c.VGradient(0, 0, 768, 24, art.C("sand_dark"), art.C("sand_deep"));
  c.Fill(0, 0, 768, 1, art.C("sand_light"));
  c.Fill(0, 23, 768, 1, art.C("brown_dark"));
  // A frieze of small gold studs with a framed slot for the score at x 380..520.
  for (int x = 12; x < 768; x += 24)
    if (x < 360 || x > 540) {
      c.Fill(x, 10, 4, 4, art.C("gold_dark"));
      c.Put(x, 10, art.C("gold_light"));
    }
  c.Fill(378, 3, 144, 18, art.C("ink"));
  c.Frame(377, 2, 146, 20, art.C("gold"));
  std::string label = art.src.Word(lang, "score");
  int w = 16 * static_cast<int>(label.size());
  DrawMenuText(c, art.menu, label, 370 - w, 4);
  return c;
}

// A help card: a title, then "key | meaning" lines in two columns.
Canvas HelpCard(const Art& art, const std::string& lang, const std::string& titleKey,
                const std::string& prefix, int w, int h) {
  Canvas c(w, h);
  c.Fill(0, 0, w, h, art.C("night"));
  c.Frame(0, 0, w, h, art.C("gold"));
  c.Frame(2, 2, w - 4, h - 4, art.C("gold_dark"));
  std::string title = art.src.Word(lang, titleKey);
  int n = static_cast<int>(std::min<size_t>(title.size(), (w - 16) / 16));
  DrawMenuText(c, art.menu, title.substr(0, n), (w - 16 * n) / 2, 10);
  auto lines = art.src.Lines(lang, prefix);
  int y = 36, step = std::min(22, (h - 44) / std::max<int>(1, static_cast<int>(lines.size())));
  int keyColumn = 0;
  for (auto& l : lines)
    keyColumn = std::max(keyColumn, PropTextWidth(art.font, l.substr(0, l.find('|'))));
  keyColumn = std::min(keyColumn + 20, w / 2);
  for (auto& l : lines) {
    size_t bar = l.find('|');
    std::string key = l.substr(0, bar), what = bar == std::string::npos ? "" : l.substr(bar + 1);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    while (!what.empty() && what.front() == ' ') what.erase(0, 1);
    c.Fill(12, y + 2, keyColumn - 8, 14, art.C("lapis_dark"));
    DrawPropText(c, art.font, key, 16, y);
    DrawPropText(c, art.font, what, 12 + keyColumn, y);
    y += step;
  }
  return c;
}

}  // namespace

void DrawWordPictures(const Art& art, std::vector<Picture>& out) {
  for (int l = 0; l < 4; ++l) {
    Canvas menu(kMenuW, 6 * kMenuRow);
    for (int r = 0; r < 6; ++r) MenuEntry(art, menu, r, r * kMenuRow, false, kLanguages[l]);
    out.push_back(Picture{LangFolder(l) + "Options1.png", menu, 0, 0, 1});
  }
  for (int l = 0; l < 4; ++l) {
    Cells lit(kMenuW, kMenuRow, 6, 1);
    for (int r = 0; r < 6; ++r) MenuEntry(art, lit.canvas, r, lit.Y(r), true, kLanguages[l]);
    out.push_back(lit.Done(LangFolder(l) + "Options2.png"));
  }
  for (int l = 0; l < 4; ++l)
    out.push_back(Picture{LangFolder(l) + "ScoreBar.png", ScoreBar(art, kLanguages[l]), 0, 0, 1});
  for (int l = 0; l < 4; ++l)
    out.push_back(Picture{LangFolder(l) + "F1.png",
                          HelpCard(art, kLanguages[l], "helptitle", "help.", 500, 300), 0, 0, 1});
  for (int l = 0; l < 4; ++l)
    out.push_back(Picture{LangFolder(l) + "F1-Edit.png",
                          HelpCard(art, kLanguages[l], "edittitle", "edit.", 390, 338), 0, 0, 1});
}

}  // namespace artgen
