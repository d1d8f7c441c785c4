// Images: loading, creating, handles, grabbing from the back buffer, pixel access, collisions.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "media/files.h"
#include "media/render/render_internal.h"

namespace media {
namespace render {
namespace {

bool SizeOk(std::int64_t width, std::int64_t height, std::int64_t frames) {
  return width > 0 && height > 0 && frames > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height * frames <= kMaxPixels;
}

Image MakeImage(int width, int height, int frames, int flags) {
  auto image = std::make_shared<ImageData>();
  image->width = width;
  image->height = height;
  image->flags = flags;
  image->cells.resize(frames);
  for (ImageCell& cell : image->cells) {
    cell.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  }
  return image;
}

bool Masked(int flags) {
  return flags == -1 || (flags & MASKEDIMAGE) != 0;
}

// Reads and decodes a picture, applying the mask colour; false with a line on standard error.
bool LoadPicture(const std::string& url, int flags, DecodedPicture& picture) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(url, bytes)) {
    std::fprintf(stderr, "LoadImage: cannot read %s\n", url.c_str());
    return false;
  }
  std::string error;
  if (!DecodePng(bytes.data(), bytes.size(), picture, error)) {
    std::fprintf(stderr, "LoadImage: %s does not decode: %s\n", url.c_str(), error.c_str());
    return false;
  }
  if (!picture.hasAlpha && Masked(flags)) {
    const State& s = S();
    const Pixel mask = Rgb(s.maskR, s.maskG, s.maskB) & 0x00FFFFFFu;
    for (Pixel& p : picture.pixels) {
      if ((p & 0x00FFFFFFu) == mask) p &= 0x00FFFFFFu;
    }
  }
  return true;
}

ImageCell* CellOf(const Image& image, int frame) {
  if (!image || frame < 0 || frame >= static_cast<int>(image->cells.size())) return nullptr;
  return &image->cells[frame];
}

}  // namespace
}  // namespace render

Image LoadImage(const std::string& url, int flags) {
  render::DecodedPicture picture;
  if (!render::LoadPicture(url, flags, picture)) return nullptr;
  Image image = render::MakeImage(picture.width, picture.height, 1, flags);
  image->cells[0].pixels = std::move(picture.pixels);
  return image;
}

Image LoadAnimImage(const std::string& url, int cellWidth, int cellHeight, int first, int count,
                    int flags) {
  if (cellWidth <= 0 || cellHeight <= 0 || first < 0 || count <= 0) {
    std::fprintf(stderr, "LoadAnimImage: bad cell layout for %s\n", url.c_str());
    return nullptr;
  }
  render::DecodedPicture picture;
  if (!render::LoadPicture(url, flags, picture)) return nullptr;
  const int across = picture.width / cellWidth;
  const int down = picture.height / cellHeight;
  if (static_cast<std::int64_t>(first) + count > static_cast<std::int64_t>(across) * down) {
    std::fprintf(stderr, "LoadAnimImage: %s holds %d cells of %d x %d, not %d from cell %d\n",
                 url.c_str(), across * down, cellWidth, cellHeight, count, first);
    return nullptr;
  }
  Image image = render::MakeImage(cellWidth, cellHeight, count, flags);
  for (int i = 0; i < count; ++i) {
    const int index = first + i;
    const int left = (index % across) * cellWidth;
    const int top = (index / across) * cellHeight;
    Pixel* dst = image->cells[i].pixels.data();
    for (int y = 0; y < cellHeight; ++y) {
      const Pixel* src =
          picture.pixels.data() + static_cast<std::size_t>(top + y) * picture.width + left;
      std::copy(src, src + cellWidth, dst + static_cast<std::size_t>(y) * cellWidth);
    }
  }
  return image;
}

void SetMaskColor(int r, int g, int b) {
  render::State& s = render::S();
  s.maskR = std::clamp(r, 0, 255);
  s.maskG = std::clamp(g, 0, 255);
  s.maskB = std::clamp(b, 0, 255);
}

Image CreateImage(int width, int height, int frames, int flags) {
  if (!render::SizeOk(width, height, frames)) return nullptr;
  return render::MakeImage(width, height, frames, flags);
}

int ImageWidth(const Image& image) {
  return image ? image->width : 0;
}
int ImageHeight(const Image& image) {
  return image ? image->height : 0;
}
int ImageFrames(const Image& image) {
  return image ? static_cast<int>(image->cells.size()) : 0;
}

void SetImageHandle(const Image& image, float x, float y) {
  if (!image) return;
  image->handleX = x;
  image->handleY = y;
}

void GrabImage(const Image& image, int x, int y, int frame) {
  ImageCell* cell = render::CellOf(image, frame);
  if (!cell) return;
  const render::State& s = render::S();
  for (int v = 0; v < image->height; ++v) {
    const std::int64_t sy = std::int64_t{y} + v;
    Pixel* dst = cell->pixels.data() + static_cast<std::size_t>(v) * image->width;
    for (int u = 0; u < image->width; ++u) {
      const std::int64_t sx = std::int64_t{x} + u;
      const bool inside = sx >= 0 && sy >= 0 && sx < s.width && sy < s.height;
      dst[u] = inside ? s.back[static_cast<std::size_t>(sy) * s.width + sx] : 0;
    }
  }
  cell->runsValid = false;
}

Pixmap LockImage(const Image& image, int frame, bool, bool) {
  ImageCell* cell = render::CellOf(image, frame);
  if (!cell) return Pixmap{};
  ++cell->locks;
  cell->runsValid = false;
  return Pixmap{cell->pixels.data(), image->width, image->height, image->width};
}

Pixel ReadPixel(const Pixmap& pixmap, int x, int y) {
  if (!pixmap.pixels || x < 0 || y < 0 || x >= pixmap.width || y >= pixmap.height) return 0;
  return pixmap.pixels[static_cast<std::size_t>(y) * pixmap.pitch + x];
}

void WritePixel(const Pixmap& pixmap, int x, int y, Pixel argb) {
  if (!pixmap.pixels || x < 0 || y < 0 || x >= pixmap.width || y >= pixmap.height) return;
  pixmap.pixels[static_cast<std::size_t>(y) * pixmap.pitch + x] = argb;
}

void UnlockImage(const Image& image, int frame) {
  ImageCell* cell = render::CellOf(image, frame);
  if (!cell) return;
  if (cell->locks > 0) --cell->locks;
  cell->runsValid = false;
}

// Positions are drawing positions less the images' handles (the origin applies to both alike,
// so it cancels out). A pixel counts as solid when its alpha is at least 128, the same
// threshold masked drawing uses.
bool ImagesCollide(const Image& image1, float x1, float y1, int frame1, const Image& image2,
                   float x2, float y2, int frame2) {
  const ImageCell* a = render::CellOf(image1, frame1);
  const ImageCell* b = render::CellOf(image2, frame2);
  if (!a || !b) return false;
  const std::int64_t ax = render::ToPixel(x1 - image1->handleX);
  const std::int64_t ay = render::ToPixel(y1 - image1->handleY);
  const std::int64_t bx = render::ToPixel(x2 - image2->handleX);
  const std::int64_t by = render::ToPixel(y2 - image2->handleY);
  const std::int64_t left = std::max(ax, bx);
  const std::int64_t right = std::min(ax + image1->width, bx + image2->width);
  const std::int64_t top = std::max(ay, by);
  const std::int64_t bottom = std::min(ay + image1->height, by + image2->height);
  for (std::int64_t y = top; y < bottom; ++y) {
    const Pixel* rowA = a->pixels.data() + (y - ay) * image1->width;
    const Pixel* rowB = b->pixels.data() + (y - by) * image2->width;
    for (std::int64_t x = left; x < right; ++x) {
      if ((rowA[x - ax] >> 24) >= 128 && (rowB[x - bx] >> 24) >= 128) return true;
    }
  }
  return false;
}

bool EncodePNG(const Pixel* pixels, int width, int height, std::vector<unsigned char>& out,
               bool alpha, int level) {
  return render::EncodePng(pixels, width, height, out, alpha, level);
}

bool SavePNG(const Pixel* pixels, int width, int height, const std::string& path) {
  std::vector<unsigned char> bytes;
  if (!render::EncodePng(pixels, width, height, bytes)) return false;
  Stream stream = WriteFileSafely(path);
  if (!stream) return false;
  WriteString(stream, std::string(bytes.begin(), bytes.end()));
  return CloseFile(stream);
}

}  // namespace media
