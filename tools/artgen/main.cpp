// artgen <art sources> [<output folder>] [--sheets <folder> [--zoom <1..8>] [--only <text>]
//        [--cells <first>:<last>]]
// Draws every picture of the game as PNG files under <output folder>/Images/..., and with
// --sheets also one contact sheet per picture for review.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/artgen/pictures.h"
#include "tools/artgen/png_write.h"
#include "tools/artgen/sources.h"

int main(int argc, char** argv) {
  std::string sources, output, sheets;
  int zoom = 1, first = 0, last = 1 << 20;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--sheets" && i + 1 < argc) {
      sheets = argv[++i];
    } else if (a == "--only" && i + 1 < argc) {
      only = argv[++i];
    } else if (a == "--cells" && i + 1 < argc) {
      std::sscanf(argv[++i], "%d:%d", &first, &last);
    } else if (a == "--zoom" && i + 1 < argc) {
      zoom = std::max(1, std::min(8, std::atoi(argv[++i])));
    } else if (sources.empty()) {
      sources = a;
    } else if (output.empty()) {
      output = a;
    } else {
      sources.clear();
      break;
    }
  }
  if (sources.empty() || (output.empty() && sheets.empty())) {
    std::fprintf(stderr,
                 "usage: artgen <art sources> [<output folder>] [--sheets <folder> [--zoom <n>] "
                 "[--only <text>] [--cells <a>:<b>]]\n");
    return 2;
  }
  artgen::Sources src;
  if (!src.Load(sources)) {
    std::fprintf(stderr, "artgen: the sources in %s have errors\n", sources.c_str());
    return 1;
  }
  auto pictures = artgen::DrawAll(src);
  if (src.Errors() > 0) {
    // Something the drawing asked for is not in the sources: write nothing rather than
    // pictures with holes in them.
    std::fprintf(stderr, "artgen: the sources in %s lack what the pictures need\n",
                 sources.c_str());
    return 1;
  }
  bool ok = true;
  for (auto& p : pictures) {
    if (!output.empty()) ok = artgen::WritePng(output + "/" + p.name, p.canvas) && ok;
    if (!sheets.empty() && p.name.find(only) != std::string::npos) {
      std::string flat = p.name;
      for (char& c : flat)
        if (c == '/') c = '_';
      artgen::Canvas sheet = artgen::ContactSheet(p, src, first, last);
      if (zoom > 1) sheet = sheet.Scaled(sheet.Width() * zoom, sheet.Height() * zoom);
      ok = artgen::WritePng(sheets + "/" + flat, sheet) && ok;
    }
  }
  if (!sheets.empty() && only.empty())
    for (int t = 0; t < 6; ++t)
      ok = artgen::WritePng(sheets + "/preview_theme" + std::to_string(t) + ".png",
                            artgen::PreviewRoom(pictures, t)) &&
           ok;
  return ok ? 0 : 1;
}
