// Helpers for the renderer's tests: a fresh drawing state, small images built pixel by pixel,
// and PNG files written with libpng from raw samples.
#pragma once

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "media/app.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/headless.h"

namespace render_test {

// The headless backend with the start-up screen: 800 x 600, drawing state reset, black.
inline void FreshScreen() {
  media::headless::ResetHeadless();
}

// An image of one or more cells filled from rows of pixels (all cells the same).
inline media::Image ImageOf(const std::vector<std::vector<media::Pixel>>& rows, int frames = 1) {
  const int h = static_cast<int>(rows.size());
  const int w = static_cast<int>(rows.at(0).size());
  media::Image image = media::CreateImage(w, h, frames);
  for (int f = 0; f < frames; ++f) {
    media::Pixmap pm = media::LockImage(image, f);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) media::WritePixel(pm, x, y, rows[y][x]);
    }
    media::UnlockImage(image, f);
  }
  return image;
}

inline media::Image Filled(int w, int h, media::Pixel p) {
  return ImageOf(std::vector<std::vector<media::Pixel>>(h, std::vector<media::Pixel>(w, p)));
}

// A PNG description: samples per row as libpng packs them (the test packs low-bit rows).
struct PngSpec {
  int width = 0;
  int height = 0;
  int bitDepth = 8;
  int colourType = PNG_COLOR_TYPE_RGB;
  std::vector<std::vector<unsigned char>> rows;  // packed row bytes
  std::vector<png_color> palette;
  std::vector<unsigned char> trnsAlpha;  // palette tRNS
  bool hasTrnsColour = false;
  png_color_16 trnsColour{};
  bool interlace = false;
};

struct PngSink {
  std::vector<unsigned char>* out;
};

inline void PngSinkWrite(png_structp png, png_bytep data, png_size_t n) {
  auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
  sink->out->insert(sink->out->end(), data, data + n);
}
inline void PngSinkFlush(png_structp) {}

// Writes the PNG into `out`; false on a libpng error. Keep C++ objects out of the setjmp
// frame: everything it touches is reached through pointers made before.
inline bool WritePng(const PngSpec& pic, std::vector<unsigned char>& out) {
  out.clear();
  PngSink sink{&out};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rowPointers;
  for (const auto& row : pic.rows) rowPointers.push_back(const_cast<png_bytep>(row.data()));
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &sink, PngSinkWrite, PngSinkFlush);
  png_set_IHDR(png, info, pic.width, pic.height, pic.bitDepth, pic.colourType,
               pic.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!pic.palette.empty()) {
    png_set_PLTE(png, info, pic.palette.data(), static_cast<int>(pic.palette.size()));
  }
  if (!pic.trnsAlpha.empty()) {
    png_set_tRNS(png, info, pic.trnsAlpha.data(), static_cast<int>(pic.trnsAlpha.size()), nullptr);
  } else if (pic.hasTrnsColour) {
    png_set_tRNS(png, info, nullptr, 0, const_cast<png_color_16p>(&pic.trnsColour));
  }
  png_write_info(png, info);
  png_write_image(png, rowPointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

// Registers bytes as an embedded file; the bytes live as long as the test program.
inline std::string Embed(const std::string& name, std::vector<unsigned char> bytes) {
  static std::deque<std::vector<unsigned char>> keep;
  keep.push_back(std::move(bytes));
  media::RegisterEmbedded(name, keep.back().data(), keep.back().size());
  return "incbin::" + name;
}

inline std::string EmbedPng(const std::string& name, const PngSpec& pic) {
  std::vector<unsigned char> bytes;
  if (!WritePng(pic, bytes)) return "";
  return Embed(name, std::move(bytes));
}

// Packs samples of bitDepth < 8 into bytes, most significant bits first.
inline std::vector<unsigned char> PackBits(const std::vector<int>& samples, int bitDepth) {
  std::vector<unsigned char> out((samples.size() * bitDepth + 7) / 8, 0);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::size_t bit = i * bitDepth;
    out[bit / 8] |= static_cast<unsigned char>(samples[i] << (8 - bitDepth - bit % 8));
  }
  return out;
}

}  // namespace render_test
