// Text drawn glyph by glyph from the game's bitmap fonts: the proportional font `imgFont`
// (characters 32 to 126, advances from `widthTable`) and the fixed 16-pixel menu fonts
// `optAlpha` and `optAlpha2` (characters 32 to 90; callers upper-case their texts). The fonts
// are globals of core/globals.h. A character outside a font's range is skipped: it draws
// nothing and does not advance.
#pragma once

#include <string>

constexpr int kFontGlyphs = 95;      // imgFont: characters 32 to 126
constexpr int kMenuFontGlyphs = 59;  // optAlpha, optAlpha2: characters 32 to 90

// Advance in pixels of each imgFont glyph, indexed by character code - 32.
extern int widthTable[kFontGlyphs];
// The blink counter shared by every screen that blinks a text.
extern int pausecounter;

// Measures widthTable from imgFont: the space advances 5; every other glyph one more than its
// rightmost column holding a pixel of non-zero alpha, or 0 when it has none (or imgFont lacks
// the cell). Start-up calls it once imgFont is loaded.
void MeasureFontWidths();

// Proportional text at (x, y); centreX moves it left by half its width, centreY up by 8.
int DrawBmpFont(const std::string& text, int x, int y, int centreX = 0, int centreY = 0);
// The sum of the advances of the text's characters.
int BmpFontWidth(const std::string& text);
// Menu-font text (alt 0: optAlpha, else optAlpha2): glyph i (from 1) at (x + 16 i, y). With
// centre != 0, x is (46 - n) * 8 for n glyphs: centred on 384 in drawing coordinates.
int DisplayText(const std::string& text, int x, int y, int centre = 0, int alt = 0);
// Steps pausecounter modulo period and draws the upper-cased text as DisplayText except in
// the last 25 counts of the period. A period below 1 does not blink.
int FlashingMsg(const std::string& text, int period, int x, int y, int centre = 0, int alt = 0);

// Back to the start values: pausecounter 0, widthTable zeros. For tests.
void ResetText();
