// The game's drawing operations. They sit on the media layer's commands of the same names
// (namespace media) and add: sprites always drawn in their own colours, outlined rectangles with
// their end pixels, the blacking out of the strips beside the play viewport, and an inclusive
// bounding-box overlap test. Positions are integer pixels.
//
// Argument-dependent lookup also finds media's commands of the same names for media::Image
// arguments: `DrawImage(image, x, y, frame)` with int positions calls the game's; with real
// positions, or for TileImage, qualify the call (`::TileImage` or `media::TileImage`).
#pragma once

#include <string>

#include "media/graphics.h"

// Draws cell `frame` of the image at (x, y) in white, then restores the drawing colour.
int DrawImage(const media::Image& image, int x, int y, int frame = 0);
// The same as DrawImage.
int DrawBlock(const media::Image& image, int x, int y, int frame = 0);
// Cell `frame` repeated over the whole viewport, one copy aligned at (x, y), in white; the
// drawing colour is restored. The two are the same.
int TileImage(const media::Image& image, float x = 0, float y = 0, int frame = 0);
int TileBlock(const media::Image& image, float x = 0, float y = 0, int frame = 0);
// solid != 0: a filled w x h rectangle. solid == 0: an outline covering columns x to x + w and
// rows y to y + h (the corner pixels included). In the current colour.
int Rect(int x, int y, int w, int h, int solid = 0);
// A black filled box one pixel larger than (x, y, w, h) on every side, framed in white two
// pixels out; leaves the colour white.
int outl(int x, int y, int w, int h);
// Blacks out the strips between the screen's edges and the current viewport's left edge (and
// a strip as wide at the right edge), over the whole screen height. Colour and viewport are
// restored; the origin is left alone.
int RenderOverBorders();
// 1 when the bounding boxes of the two images' cells at the given top-left positions overlap
// or touch, else 0. Handles and frames play no part.
int ImagesOverlap(const media::Image& image1, int x1, int y1, const media::Image& image2, int x2,
                  int y2);

// Thin forwarding commands.
int Color(int r, int g, int b);
int Line(int x1, int y1, int x2, int y2);  // end pixel drawn
int Viewport(int x, int y, int w, int h);
int Origin(int x, int y);
int HandleImage(const media::Image& image, int x, int y);
int Text(int x, int y, const std::string& text);  // the media layer's built-in font
int StringWidth(const std::string& text);
int StringHeight(const std::string& text);
media::Font LoadFont(const std::string& name, int size);  // smoothed
int SetFont(const media::Font& font);

// Compatibility entries of an older buffer-based command set: they do nothing.
int MaskImage(const media::Image& image, int r, int g, int b);
media::Image BackBuffer();
media::Image FrontBuffer();
media::Image ImageBuffer(const media::Image& image, int frame = 0);
int SetBuffer(const media::Image& buffer);
int GetColor(int x, int y);
int ColorRed();
int ColorGreen();
int ColorBlue();
int clsColor(int r, int g, int b);
int FreeImage(const media::Image& image);
int CopyRect(int sx, int sy, int w, int h, int dx, int dy, const media::Image& from = nullptr,
             const media::Image& to = nullptr);
media::Image CopyImage(const media::Image& image);
