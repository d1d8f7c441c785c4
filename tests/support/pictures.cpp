#include "support/pictures.h"

#include <csetjmp>
#include <deque>

#include "media/files.h"

namespace quill_test {

media::Image ImageOf(const Rows& rows, int frames) {
  const int h = static_cast<int>(rows.size()), w = static_cast<int>(rows.at(0).size());
  media::Image image = media::CreateImage(w, h, frames);
  for (int f = 0; f < frames; ++f) {
    media::Pixmap pm = media::LockImage(image, f);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) media::WritePixel(pm, x, y, rows[y][x]);
    media::UnlockImage(image, f);
  }
  return image;
}

media::Image Filled(int w, int h, media::Pixel argb, int frames) {
  return ImageOf(Rows(h, std::vector<media::Pixel>(w, argb)), frames);
}

media::Pixel PixelOf(const media::Image& image, int x, int y, int frame) {
  const media::Pixel p = media::ReadPixel(media::LockImage(image, frame), x, y);
  return media::UnlockImage(image, frame), p;
}

media::Pixel PixelOfPng(const std::string& path, int x, int y, int* width) {
  media::Image image = media::LoadImage(path, 0);
  if (!image) return 0;
  if (width) *width = media::ImageWidth(image);
  return PixelOf(image, x, y);
}

int CountPixels(media::Pixel p, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += media::ReadScreenPixel(x, y) == p;
  return n;
}

namespace {

void SinkWrite(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}
void SinkFlush(png_structp) {}

}  // namespace

// Keeps C++ objects out of the setjmp frame: everything it touches is reached through pointers.
bool WritePng(const PngSpec& pic, std::vector<unsigned char>& out) {
  out.clear();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) return png_destroy_write_struct(&png, nullptr), false;
  std::vector<png_bytep> rows;
  for (const auto& row : pic.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, SinkWrite, SinkFlush);
  png_set_IHDR(png, info, pic.width, pic.height, pic.bitDepth, pic.colourType,
               pic.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!pic.palette.empty())
    png_set_PLTE(png, info, pic.palette.data(), static_cast<int>(pic.palette.size()));
  if (!pic.trnsAlpha.empty() || pic.hasTrnsColour)
    png_set_tRNS(png, info, pic.trnsAlpha.data(), static_cast<int>(pic.trnsAlpha.size()),
                 pic.trnsAlpha.empty() ? const_cast<png_color_16p>(&pic.trnsColour) : nullptr);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

std::vector<unsigned char> PackBits(const std::vector<int>& samples, int bitDepth) {
  std::vector<unsigned char> out((samples.size() * bitDepth + 7) / 8, 0);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::size_t bit = i * bitDepth;
    out[bit / 8] |= static_cast<unsigned char>(samples[i] << (8 - bitDepth - bit % 8));
  }
  return out;
}

std::string Embed(const std::string& name, std::vector<unsigned char> bytes) {
  static std::deque<std::vector<unsigned char>> keep;
  keep.push_back(std::move(bytes));
  media::RegisterEmbedded(name, keep.back().data(), keep.back().size());
  return "incbin::" + name;
}

std::string EmbedPng(const std::string& name, const PngSpec& pic) {
  std::vector<unsigned char> bytes;
  return WritePng(pic, bytes) ? Embed(name, std::move(bytes)) : "";
}

}  // namespace quill_test
