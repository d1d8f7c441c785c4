// artgen <art sources> [<output folder>] [--sheets <folder> [--zoom <1..8>]]
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
  int zoom = 1;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--sheets" && i + 1 < argc) {
      sheets = argv[++i];
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
    std::fprintf(
        stderr, "usage: artgen <art sources> [<output folder>] [--sheets <folder> [--zoom <n>]]\n");
    return 2;
  }
  artgen::Sources src;
  if (!src.Load(sources)) {
    std::fprintf(stderr, "artgen: the sources in %s have errors\n", sources.c_str());
    return 1;
  }
  auto pictures = artgen::DrawAll(src);
  bool ok = true;
  for (auto& p : pictures) {
    if (!output.empty()) ok = artgen::WritePng(output + "/" + p.name, p.canvas) && ok;
    if (!sheets.empty()) {
      std::string flat = p.name;
      for (char& c : flat)
        if (c == '/') c = '_';
      artgen::Canvas sheet = artgen::ContactSheet(p, src);
      if (zoom > 1) sheet = sheet.Scaled(sheet.Width() * zoom, sheet.Height() * zoom);
      ok = artgen::WritePng(sheets + "/" + flat, sheet) && ok;
    }
  }
  return ok ? 0 : 1;
}
