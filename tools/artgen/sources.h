// The text sources of the pictures: the palette, pixel-art sprites, the base glyphs, the
// player's poses and the words of the word-carrying pictures. Every reader reports its problems and
// carries on with what it could read, so a broken source gives a visible gap, never a crash.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/artgen/canvas.h"

namespace artgen {

struct Glyph {
  int width = 0;
  std::vector<std::string> rows;  // '#' ink, anything else blank
  bool Ink(int x, int y) const {
    return y >= 0 && y < static_cast<int>(rows.size()) && x >= 0 &&
           x < static_cast<int>(rows[y].size()) && rows[y][x] == '#';
  }
};

class Sources {
 public:
  // Reads palette.txt, font.txt, words.txt and sprites/*.txt of dir. False when a file is
  // missing or malformed (messages go to standard error).
  bool Load(const std::string& dir);

  Colour C(const std::string& name) const;  // a palette colour by name; grey when unknown
  const Canvas& Sprite(const std::string& name) const;  // empty 1 x 1 when unknown
  bool HasSprite(const std::string& name) const { return sprites_.count(name) != 0; }
  const Glyph& GlyphOf(char c) const;  // empty glyph when unknown
  // A word of a language ("en", "fr", "gr", "it"); falls back to English, then (an error) to
  // the key itself.
  std::string Word(const std::string& lang, const std::string& key) const;
  // A pose of poses.txt: kPoseNumbers numbers (lean, crouch, thighs, knees, arms, elbows, tool
  // angle); empty when unknown.
  static constexpr size_t kPoseNumbers = 11;
  const std::vector<int>& Numbers(const std::string& name) const;
  std::vector<std::string> Lines(const std::string& lang, const std::string& prefix) const;
  // Problems found so far: while reading, and every lookup of something the sources lack.
  int Errors() const { return errors_; }

 private:
  bool LoadPalette(const std::string& path);
  bool LoadGlyphs(const std::string& path);
  bool LoadWords(const std::string& path);
  bool LoadSprites(const std::string& path);
  bool LoadNumbers(const std::string& path);
  void Error(const std::string& file, int line, const std::string& what);
  void Missing(const std::string& what, const std::string& name) const;

  std::map<std::string, Colour> named_;
  std::map<char, Colour> keyed_;
  std::map<std::string, Canvas> sprites_;
  std::map<std::string, std::vector<int>> numbers_;
  std::map<char, Glyph> glyphs_;
  std::map<std::string, std::map<std::string, std::string>> words_;
  std::map<std::string, std::vector<std::string>> keys_in_order_;
  mutable int errors_ = 0;
};

}  // namespace artgen
