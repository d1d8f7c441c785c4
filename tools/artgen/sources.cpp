#include "tools/artgen/sources.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace artgen {
namespace {

std::vector<std::string> ReadLines(const std::string& path, bool* ok) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  *ok = static_cast<bool>(in);
  std::string line;
  while (std::getline(in, line)) {
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    lines.push_back(line);
  }
  return lines;
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

}  // namespace

void Sources::Error(const std::string& file, int line, const std::string& what) {
  std::fprintf(stderr, "artgen: %s:%d: %s\n", file.c_str(), line, what.c_str());
  ++errors_;
}

void Sources::Missing(const std::string& what, const std::string& name) const {
  std::fprintf(stderr, "artgen: unknown %s %s\n", what.c_str(), name.c_str());
  ++errors_;
}

bool Sources::Load(const std::string& dir) {
  bool ok = LoadPalette(dir + "/palette.txt");
  ok = LoadGlyphs(dir + "/font.txt") && ok;
  ok = LoadWords(dir + "/words.txt") && ok;
  ok = LoadNumbers(dir + "/poses.txt") && ok;
  std::error_code ec;
  std::vector<std::string> files;
  for (auto& entry : std::filesystem::directory_iterator(dir + "/sprites", ec))
    if (entry.path().extension() == ".txt") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());  // a fixed order whatever the folder listing gives
  for (auto& f : files) ok = LoadSprites(f) && ok;
  // Every printable character needs its glyph: the fonts are built from them.
  for (int c = 33; c <= 126; ++c)
    if (GlyphOf(static_cast<char>(c)).width == 0)
      Error(dir + "/font.txt", 0, std::string("no glyph for ") + static_cast<char>(c));
  return ok && errors_ == 0;
}

// "<key> <RRGGBB> <name>": key is one character standing for the colour in sprites.
bool Sources::LoadPalette(const std::string& path) {
  bool ok = false;
  auto lines = ReadLines(path, &ok);
  if (!ok) Error(path, 0, "missing");
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = Trim(lines[i]);
    if (line.empty() || line[0] == '#') continue;
    std::istringstream in(line);
    std::string key, hex, name;
    in >> key >> hex >> name;
    if (key.size() != 1 || hex.size() != 6 || name.empty() ||
        hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      Error(path, static_cast<int>(i + 1), "expected <key> <RRGGBB> <name>");
      continue;
    }
    Colour c = static_cast<Colour>(std::stoul(hex, nullptr, 16));
    if (c == kClear) {
      Error(path, static_cast<int>(i + 1), "magenta is the transparent colour");
      continue;
    }
    named_[name] = c;
    keyed_[key[0]] = c;
  }
  return ok;
}

bool Sources::LoadGlyphs(const std::string& path) {
  bool ok = false;
  auto lines = ReadLines(path, &ok);
  if (!ok) Error(path, 0, "missing");
  Glyph* current = nullptr;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.size() == 3 && line[0] == '=' && line[1] == ' ') {
      current = &glyphs_[line[2]];
      *current = Glyph{};
      continue;
    }
    if (line.empty() || !current) continue;  // text before the first glyph is a comment
    if (line.find_first_not_of("#.") != std::string::npos) {
      Error(path, static_cast<int>(i + 1), "glyph rows hold only '#' and '.'");
      continue;
    }
    if (current->rows.size() >= 9) {
      Error(path, static_cast<int>(i + 1), "a glyph has at most 9 rows");
      continue;
    }
    current->rows.push_back(line);
    current->width = std::max(current->width, static_cast<int>(line.size()));
  }
  return ok;
}

// "[lang]" starts a section; "key = text" lines follow (text kept as written after "= ").
bool Sources::LoadWords(const std::string& path) {
  bool ok = false;
  auto lines = ReadLines(path, &ok);
  if (!ok) Error(path, 0, "missing");
  std::string lang = "en";
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = Trim(lines[i]);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      lang = line.substr(1, line.size() - 2);
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) {
      Error(path, static_cast<int>(i + 1), "expected key = text");
      continue;
    }
    std::string key = Trim(line.substr(0, eq));
    std::string text = Trim(line.substr(eq + 1));
    if (!words_[lang].count(key)) keys_in_order_[lang].push_back(key);
    words_[lang][key] = text;
  }
  return ok;
}

// "sprite <name>" then rows of palette keys ('.' transparent) up to a blank line.
bool Sources::LoadSprites(const std::string& path) {
  bool ok = false;
  auto lines = ReadLines(path, &ok);
  if (!ok) Error(path, 0, "unreadable");
  size_t i = 0;
  while (i < lines.size()) {
    std::string line = Trim(lines[i]);
    if (line.rfind("sprite ", 0) != 0) {
      if (!line.empty() && line[0] != '#') Error(path, static_cast<int>(i + 1), "expected sprite");
      ++i;
      continue;
    }
    std::string name = Trim(line.substr(7));
    std::vector<std::string> rows;
    size_t first = ++i;
    while (i < lines.size() && !Trim(lines[i]).empty()) rows.push_back(lines[i++]);
    int w = 0;
    for (auto& r : rows) w = std::max(w, static_cast<int>(r.size()));
    Canvas c(std::max(1, w), std::max(1, static_cast<int>(rows.size())));
    for (size_t y = 0; y < rows.size(); ++y)
      for (size_t x = 0; x < rows[y].size(); ++x) {
        char k = rows[y][x];
        if (k == '.' || k == ' ') continue;
        auto it = keyed_.find(k);
        if (it == keyed_.end()) {
          Error(path, static_cast<int>(first + y + 1), std::string("unknown colour key ") + k);
          continue;
        }
        c.Put(static_cast<int>(x), static_cast<int>(y), it->second);
      }
    sprites_[name] = c;
  }
  return ok;
}

// "<name>" and the pose's numbers; '#' starts a comment line.
bool Sources::LoadNumbers(const std::string& path) {
  bool ok = false;
  auto lines = ReadLines(path, &ok);
  if (!ok) Error(path, 0, "missing");
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = Trim(lines[i]);
    if (line.empty() || line[0] == '#') continue;
    std::istringstream in(line);
    std::string name;
    in >> name;
    std::vector<int> row;
    std::string word;
    while (in >> word) {
      char* end = nullptr;
      long v = std::strtol(word.c_str(), &end, 10);
      if (end == word.c_str() || *end != 0 || v < -100000 || v > 100000) {
        Error(path, static_cast<int>(i + 1), "not a number: " + word);
        row.clear();
        break;
      }
      row.push_back(static_cast<int>(v));
    }
    if (!row.empty() && row.size() != kPoseNumbers) {
      Error(path, static_cast<int>(i + 1),
            "a pose has " + std::to_string(kPoseNumbers) + " numbers");
      row.clear();
    }
    numbers_[name] = row;
  }
  return ok;
}

const std::vector<int>& Sources::Numbers(const std::string& name) const {
  static const std::vector<int> empty;
  auto it = numbers_.find(name);
  if (it != numbers_.end()) return it->second;
  Missing("pose", name);
  return empty;
}

Colour Sources::C(const std::string& name) const {
  auto it = named_.find(name);
  if (it != named_.end()) return it->second;
  Missing("colour", name);
  return 0x808080;
}

const Canvas& Sources::Sprite(const std::string& name) const {
  static const Canvas empty(1, 1);
  auto it = sprites_.find(name);
  if (it != sprites_.end()) return it->second;
  Missing("sprite", name);
  return empty;
}

const Glyph& Sources::GlyphOf(char c) const {
  static const Glyph empty{};
  auto it = glyphs_.find(c);
  return it == glyphs_.end() ? empty : it->second;
}

std::string Sources::Word(const std::string& lang, const std::string& key) const {
  for (const std::string& l : {lang, std::string("en")}) {
    auto sec = words_.find(l);
    if (sec == words_.end()) continue;
    auto it = sec->second.find(key);
    if (it != sec->second.end()) return it->second;
  }
  Missing("word", key);
  return key;
}

std::vector<std::string> Sources::Lines(const std::string& lang, const std::string& prefix) const {
  std::vector<std::string> out;
  std::string l = keys_in_order_.count(lang) ? lang : "en";
  auto it = keys_in_order_.find(l);
  if (it == keys_in_order_.end()) return out;
  for (auto& k : it->second)
    if (k.rfind(prefix, 0) == 0) out.push_back(words_.at(l).at(k));
  return out;
}

}  // namespace artgen
