#include "core/draw.h"

namespace {

// Runs `draw` in white and puts the drawing colour back afterwards.
template <class F>
void InWhite(F draw) {
  int r = 0, g = 0, b = 0;
  media::GetColor(r, g, b);
  media::SetColor(255, 255, 255);
  draw();
  media::SetColor(r, g, b);
}

// Four lines with their end pixels from (x1, y1) to (x2, y2), in the current colour.
void Outline(int x1, int y1, int x2, int y2) {
  const float l = static_cast<float>(x1), t = static_cast<float>(y1);
  const float r = static_cast<float>(x2), b = static_cast<float>(y2);
  media::DrawLine(l, t, r, t, true);
  media::DrawLine(l, t, l, b, true);
  media::DrawLine(r, t, r, b, true);
  media::DrawLine(l, b, r, b, true);
}

}  // namespace

int DrawImage(const media::Image& image, int x, int y, int frame) {
  if (!image) return 0;
  InWhite([&] { media::DrawImage(image, static_cast<float>(x), static_cast<float>(y), frame); });
  return 0;
}

int DrawBlock(const media::Image& image, int x, int y, int frame) {
  return DrawImage(image, x, y, frame);
}

int TileImage(const media::Image& image, float x, float y, int frame) {
  if (!image) return 0;
  InWhite([&] { media::TileImage(image, x, y, frame); });
  return 0;
}

int TileBlock(const media::Image& image, float x, float y, int frame) {
  return ::TileImage(image, x, y, frame);
}

int Rect(int x, int y, int w, int h, int solid) {
  if (solid != 0) {
    media::DrawRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                    static_cast<float>(h));
  } else {
    Outline(x, y, x + w, y + h);
  }
  return 0;
}

int outl(int x, int y, int w, int h) {
  media::SetColor(0, 0, 0);
  media::DrawRect(static_cast<float>(x - 1), static_cast<float>(y - 1), static_cast<float>(w + 2),
                  static_cast<float>(h + 2));
  media::SetColor(255, 255, 255);
  Outline(x - 2, y - 2, x + w + 2, y + h + 2);
  return 0;
}

int RenderOverBorders() {
  float ox = 0, oy = 0;
  media::GetOrigin(ox, oy);
  int r = 0, g = 0, b = 0;
  media::GetColor(r, g, b);
  int vx = 0, vy = 0, vw = 0, vh = 0;
  media::GetViewport(vx, vy, vw, vh);

  const int sw = media::GraphicsWidth(), sh = media::GraphicsHeight();
  media::SetViewport(0, 0, sw, sh);
  media::SetColor(0, 0, 0);
  if (vx > 0) {
    // Drawing positions are shifted by the origin: subtract it so the strips start at the
    // screen's top-left and top-right corners.
    media::DrawRect(-ox, -oy, static_cast<float>(vx), static_cast<float>(sh));
    media::DrawRect(static_cast<float>(sw - vx) - ox, -oy, static_cast<float>(vx),
                    static_cast<float>(sh));
  }
  media::SetColor(r, g, b);
  media::SetViewport(vx, vy, vw, vh);
  return 0;
}

int ImagesOverlap(const media::Image& image1, int x1, int y1, const media::Image& image2, int x2,
                  int y2) {
  // In 64 bits: positions anywhere in the int range give the plain comparison, no overflow.
  using Wide = long long;
  const Wide w1 = media::ImageWidth(image1), h1 = media::ImageHeight(image1);
  const Wide w2 = media::ImageWidth(image2), h2 = media::ImageHeight(image2);
  if (x1 + w1 < x2 || x2 + w2 < x1 || y1 + h1 < y2) return 0;
  return y2 + h2 >= y1 ? 1 : 0;
}

int Color(int r, int g, int b) {
  media::SetColor(r, g, b);
  return 0;
}

int Line(int x1, int y1, int x2, int y2) {
  media::DrawLine(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                  static_cast<float>(y2), true);
  return 0;
}

int Viewport(int x, int y, int w, int h) {
  media::SetViewport(x, y, w, h);
  return 0;
}

int Origin(int x, int y) {
  media::SetOrigin(static_cast<float>(x), static_cast<float>(y));
  return 0;
}

int HandleImage(const media::Image& image, int x, int y) {
  if (image) media::SetImageHandle(image, static_cast<float>(x), static_cast<float>(y));
  return 0;
}

int Text(int x, int y, const std::string& text) {
  media::DrawText(text, static_cast<float>(x), static_cast<float>(y));
  return 0;
}

int StringWidth(const std::string& text) {
  return media::TextWidth(text);
}
int StringHeight(const std::string& text) {
  return media::TextHeight(text);
}

media::Font LoadFont(const std::string& name, int size) {
  return media::LoadImageFont(name, size, 4);
}

int SetFont(const media::Font& font) {
  media::SetImageFont(font);
  return 0;
}

int MaskImage(const media::Image&, int, int, int) {
  return 0;
}
media::Image BackBuffer() {
  return nullptr;
}
media::Image FrontBuffer() {
  return nullptr;
}
media::Image ImageBuffer(const media::Image&, int) {
  return nullptr;
}
int SetBuffer(const media::Image&) {
  return 0;
}
int GetColor(int, int) {
  return 0;
}
int ColorRed() {
  return 0;
}
int ColorGreen() {
  return 0;
}
int ColorBlue() {
  return 0;
}
int clsColor(int, int, int) {
  return 0;
}
int FreeImage(const media::Image&) {
  return 0;
}
int CopyRect(int, int, int, int, int, int, const media::Image&, const media::Image&) {
  return 0;
}
media::Image CopyImage(const media::Image& image) {
  return image;
}
