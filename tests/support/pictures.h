// Pictures in the tests: images built pixel by pixel, pixel counts on the screen, and PNG files
// written with libpng from raw samples.
#pragma once

#include <png.h>

#include <string>
#include <vector>

#include "media/graphics.h"

namespace quill_test {

using Rows = std::vector<std::vector<media::Pixel>>;

// An image of `frames` cells, each filled from the rows of pixels.
media::Image ImageOf(const Rows& rows, int frames = 1);
// An image of `frames` cells of w x h, every pixel `argb`.
media::Image Filled(int w, int h, media::Pixel argb, int frames = 1);
// One pixel of an image cell.
media::Pixel PixelOf(const media::Image& image, int x, int y, int frame = 0);
// One pixel of a PNG file (loaded unmasked); 0 when it does not load. `width` gets its width.
media::Pixel PixelOfPng(const std::string& path, int x, int y, int* width = nullptr);
// The back-buffer pixels of colour p within [x0, x1) x [y0, y1); the whole screen by default.
int CountPixels(media::Pixel p, int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 600);

// A PNG description: row bytes as libpng packs them (PackBits packs low bit depths).
struct PngSpec {
  int width = 0;
  int height = 0;
  int bitDepth = 8;
  int colourType = PNG_COLOR_TYPE_RGB;
  std::vector<std::vector<unsigned char>> rows;
  std::vector<png_color> palette;
  std::vector<unsigned char> trnsAlpha;  // palette tRNS
  bool hasTrnsColour = false;
  png_color_16 trnsColour{};
  bool interlace = false;
};
bool WritePng(const PngSpec& pic, std::vector<unsigned char>& out);
std::vector<unsigned char> PackBits(const std::vector<int>& samples, int bitDepth);

// Registers bytes as an embedded file kept for the test program's life; gives its incbin name.
std::string Embed(const std::string& name, std::vector<unsigned char> bytes);
std::string EmbedPng(const std::string& name, const PngSpec& pic);

}  // namespace quill_test
