// Helpers of the picture tests: the embedded pictures, decoded through the media layer.
#pragma once

#include <string>
#include <vector>

#include "media/graphics.h"

namespace arttest {

// The bytes of a built-in blob; empty when unknown.
std::vector<unsigned char> BlobBytes(const std::string& name);
// The Images/ names of assets/embedded.txt, in order.
std::vector<std::string> PictureNames();
// Loads an embedded picture (the program's built-in blobs registered once) cut into cells
// (cellW 0: whole), masked with magenta as the program does.
media::Image LoadCells(const std::string& name, int cellW, int cellH, int count);
int OpaqueCount(const media::Image& image, int frame, int x, int y, int w, int h);
// The width start-up measures for a font glyph (rightmost column with alpha, plus one).
int MeasuredWidth(const media::Image& font, int glyph);

}  // namespace arttest
