// Graphics: the screen, drawing state, drawing and images. All drawing goes into an
// 800 x 600 32-bit framebuffer by our own software renderer; the backend only presents it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace media {

struct ImageData;
using Image = std::shared_ptr<ImageData>;
struct FontData;
using Font = std::shared_ptr<FontData>;

// Pixels are 0xAARRGGBB.
using Pixel = std::uint32_t;

// Blend modes of SetBlend.
constexpr int MASKBLEND = 1;   // pixels of alpha below one half are skipped, the rest copied
constexpr int SOLIDBLEND = 2;  // every pixel copied
constexpr int ALPHABLEND = 3;  // blended by the pixel's alpha times the current alpha
constexpr int LIGHTBLEND = 4;  // added, saturating
constexpr int SHADEBLEND = 5;  // multiplied

// Image flags of LoadImage, LoadAnimImage and CreateImage; -1 means the default flags
// (masked and filtered).
constexpr int MASKEDIMAGE = 1;
constexpr int FILTEREDIMAGE = 2;
constexpr int MIPMAPPEDIMAGE = 4;
constexpr int DYNAMICIMAGE = 8;

// --- the screen
// depth 0: a window whose Flip waits in software to 1000/hertz ms per frame; any other
// depth: full screen, paced by the vertical sync. Returns false when no screen could open.
bool Graphics(int width, int height, int depth = 0, int hertz = 60);
void AppTitle(const std::string& title);  // the window's title; may be set before Graphics
// Shows the back buffer. The back buffer keeps its content after Flip.
void Flip(int sync = -1);
void Cls();  // clears the back buffer (inside the viewport) to the clear colour, black
void SetClsColor(int r, int g, int b);
int GraphicsWidth();
int GraphicsHeight();

// --- drawing state
void SetColor(int r, int g, int b);
void GetColor(int& r, int& g, int& b);
void SetAlpha(float alpha);  // 0.0 to 1.0
float GetAlpha();
void SetBlend(int mode);
int GetBlend();
void SetViewport(int x, int y, int width, int height);  // clip rectangle, window pixels
void GetViewport(int& x, int& y, int& width, int& height);
void SetOrigin(float x, float y);  // offset added to every drawing position
void GetOrigin(float& x, float& y);

// --- drawing (positions are drawing positions: the origin is added)
void DrawImage(const Image& image, float x, float y, int frame = 0);  // at x, y less the handle
void TileImage(const Image& image, float x = 0, float y = 0, int frame = 0);  // over the viewport
void DrawRect(float x, float y, float width, float height);
void DrawLine(float x1, float y1, float x2, float y2, bool drawLastPixel = true);
void DrawOval(float x, float y, float width, float height);
void DrawText(const std::string& text, float x, float y);  // in the current font
int TextWidth(const std::string& text);
int TextHeight(const std::string& text);
// Image fonts: only the built-in bitmap font exists. LoadImageFont gives null with one line
// on standard error; SetImageFont(nullptr) selects the built-in font.
Font LoadImageFont(const std::string& url, int size, int style = 0);
void SetImageFont(const Font& font);

// --- images
// Loads a PNG (a file name, or "incbin::" + the name of an embedded file). Null when it does
// not decode, with one line on standard error naming the file.
Image LoadImage(const std::string& url, int flags = -1);
// Cells of cellWidth x cellHeight cut row by row, count cells from cell `first`.
Image LoadAnimImage(const std::string& url, int cellWidth, int cellHeight, int first, int count,
                    int flags = -1);
// In pictures without an alpha channel, pixels of this colour become transparent at load.
void SetMaskColor(int r, int g, int b);
Image CreateImage(int width, int height, int frames = 1, int flags = -1);
int ImageWidth(const Image& image);   // of one cell; 0 for null
int ImageHeight(const Image& image);  // of one cell; 0 for null
int ImageFrames(const Image& image);
void SetImageHandle(const Image& image, float x, float y);
// Copies the back buffer rectangle at window position x, y (the origin is ignored) and the
// image's size into the image's frame.
void GrabImage(const Image& image, int x, int y, int frame = 0);

struct Pixmap {
  Pixel* pixels = nullptr;  // row after row, `pitch` pixels apart
  int width = 0;
  int height = 0;
  int pitch = 0;
};
Pixmap LockImage(const Image& image, int frame = 0, bool read = true, bool write = true);
Pixel ReadPixel(const Pixmap& pixmap, int x, int y);  // 0 outside the pixmap
void WritePixel(const Pixmap& pixmap, int x, int y, Pixel argb);
void UnlockImage(const Image& image, int frame = 0);
// True when DrawImage of cell `frame` at a whole-pixel position, in the current blend mode and
// alpha, would set every pixel of the rectangle (x, y, width, height), given relative to that
// position, to a value that does not depend on what lies beneath: the rectangle lies within
// the cell (after a whole-pixel handle) and all its pixels have alpha 255. What is drawn
// there before such a drawing never shows. Worked out from the pixels themselves, once per
// cell (again after they change).
bool DrawImageCovers(const Image& image, int frame, int x, int y, int width, int height);
// Pixel-exact: true when an opaque pixel of one frame lies on an opaque pixel of the other.
bool ImagesCollide(const Image& image1, float x1, float y1, int frame1, const Image& image2,
                   float x2, float y2, int frame2);

// --- the framebuffer, for tests, the headless runner and the backends
const Pixel* BackBufferPixels();      // 800 x 600 (GraphicsWidth x GraphicsHeight), row after row
const Pixel* ShownPixels();           // the picture of the last Flip
Pixel ReadScreenPixel(int x, int y);  // from the back buffer; 0 outside
bool SavePNG(const Pixel* pixels, int width, int height, const std::string& path);
// The one PNG encoder: `pixels` (0xAARRGGBB, row after row) as 8-bit RGBA, or as RGB without
// the alpha when `alpha` is false; `level` is zlib's compression 0 to 9, -1 its default. The
// same pixels always give the same bytes. False for no pixels or a side outside 1 to 16384.
bool EncodePNG(const Pixel* pixels, int width, int height, std::vector<unsigned char>& out,
               bool alpha = true, int level = -1);
// Resets the drawing state (colour white, alpha 1, blend masked, viewport the whole screen,
// origin 0, mask colour black, clear colour black) and clears both buffers.
void ResetGraphicsState();

}  // namespace media
