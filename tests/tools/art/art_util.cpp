#include "tools/art/art_util.h"

#include <fstream>

#include "media/files.h"

namespace arttest {

std::vector<unsigned char> BlobBytes(const std::string& name) {
  std::size_t size = 0;
  const unsigned char* data = media::BuiltinBlob(name, &size);
  if (!data) return {};
  return std::vector<unsigned char>(data, data + size);
}

std::vector<std::string> PictureNames() {
  std::vector<std::string> names;
  std::ifstream in(std::string(QUILL_SOURCE_DIR) + "/assets/embedded.txt");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("Images/", 0) == 0) names.push_back(line);
  return names;
}

media::Image LoadCells(const std::string& name, int cellW, int cellH, int count) {
  static const bool registered = (media::RegisterBuiltinBlobs(), true);
  (void)registered;
  media::SetMaskColor(255, 0, 255);
  if (cellW == 0) return media::LoadImage("incbin::" + name);
  return media::LoadAnimImage("incbin::" + name, cellW, cellH, 0, count);
}

int OpaqueCount(const media::Image& image, int frame, int x, int y, int w, int h) {
  media::Pixmap p = media::LockImage(image, frame, true, false);
  int n = 0;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if ((media::ReadPixel(p, i, j) >> 24) != 0) ++n;
  media::UnlockImage(image, frame);
  return n;
}

int MeasuredWidth(const media::Image& font, int glyph) {
  media::Pixmap p = media::LockImage(font, glyph, true, false);
  int width = 0;
  for (int x = 15; x >= 0 && width == 0; --x)
    for (int y = 0; y < 16; ++y)
      if ((media::ReadPixel(p, x, y) >> 24) != 0) {
        width = x + 1;
        break;
      }
  media::UnlockImage(font, glyph);
  return width;
}

}  // namespace arttest
