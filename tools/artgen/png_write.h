// Writes a canvas as an 8-bit RGB PNG (magenta marks the transparent pixels; the game's loader
// masks that colour). The same canvas always gives the same bytes.
#pragma once

#include <string>

#include "tools/artgen/canvas.h"

namespace artgen {

// Creates the parent folders. False with a message on standard error when it cannot write.
bool WritePng(const std::string& path, const Canvas& canvas);

}  // namespace artgen
