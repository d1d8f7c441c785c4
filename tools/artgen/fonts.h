// The three bitmap fonts and text drawn with them.
#pragma once

#include <string>

#include "tools/artgen/canvas.h"
#include "tools/artgen/sources.h"

namespace artgen {

// The proportional font: 95 cells of 16 x 16 (characters 32..126), 16 per row, white letters
// with a dark shadow on magenta. Column 0 of every glyph stays blank: the letter's own gap.
Canvas BuildPropFont(const Sources& src);
// The menu fonts: 59 cells of 16 x 16 (characters 32..90). Style 0 is the gold font
// (optAlpha), style 1 the carved turquoise font (optAlpha2).
Canvas BuildMenuFont(const Sources& src, int style);

// The advance of a proportional glyph the way the game measures it (space 5).
int PropGlyphWidth(const Canvas& font, char c);
int PropTextWidth(const Canvas& font, const std::string& text);
// Draws text with the proportional font; returns the end x.
int DrawPropText(Canvas& dst, const Canvas& font, const std::string& text, int x, int y);
// Draws text with a menu font at a 16-pixel pitch (upper-cased); returns the end x.
int DrawMenuText(Canvas& dst, const Canvas& font, const std::string& text, int x, int y);
// Small plain text straight from the base glyphs (labels, sheet numbers).
int DrawTinyText(Canvas& dst, const Sources& src, const std::string& text, int x, int y, Colour ink,
                 int scale = 1);
int TinyTextWidth(const Sources& src, const std::string& text, int scale = 1);

}  // namespace artgen
