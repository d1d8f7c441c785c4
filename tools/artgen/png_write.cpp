#include "tools/artgen/png_write.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace artgen {

bool WritePng(const std::string& path, const Canvas& canvas) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  std::string temp = path + ".tmp";
  FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "artgen: cannot write %s\n", temp.c_str());
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    std::remove(temp.c_str());
    std::fprintf(stderr, "artgen: PNG encoding failed for %s\n", path.c_str());
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  const int w = canvas.Width(), h = canvas.Height();
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      Colour c = canvas.Get(x, y);
      row[x * 3 + 0] = static_cast<png_byte>(c >> 16);
      row[x * 3 + 1] = static_cast<png_byte>(c >> 8);
      row[x * 3 + 2] = static_cast<png_byte>(c);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  bool ok = std::fclose(file) == 0;
  if (ok) {
    std::filesystem::rename(temp, path, ec);
    ok = !ec;
  }
  if (!ok) {
    std::remove(temp.c_str());
    std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
  }
  return ok;
}

}  // namespace artgen
