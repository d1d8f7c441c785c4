#include "tools/artgen/png_write.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "media/graphics.h"

namespace artgen {

bool WritePng(const std::string& path, const Canvas& canvas) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  const int w = canvas.Width(), h = canvas.Height();
  std::vector<media::Pixel> pixels(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels[static_cast<std::size_t>(y) * w + x] = canvas.Get(x, y);
  std::vector<unsigned char> bytes;
  if (!media::EncodePNG(pixels.data(), w, h, bytes, false, 9)) {
    std::fprintf(stderr, "artgen: PNG encoding failed for %s\n", path.c_str());
    return false;
  }
  const std::string temp = path + ".tmp";
  bool ok = false;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ok = static_cast<bool>(out.flush());
  }
  if (ok) {
    std::filesystem::rename(temp, path, ec);
    ok = !ec;
  }
  if (!ok) {
    std::filesystem::remove(temp, ec);
    std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
  }
  return ok;
}

}  // namespace artgen
