#include "tools/stagec/source.h"

#include <map>
#include <sstream>
#include <vector>

#include "core/codes.h"

namespace stagec {

namespace {

constexpr struct {
  char c;
  int code;
} kCells[] = {{'.', CellCode::Empty},      {'#', CellCode::Block},        {'B', CellCode::Brick},
              {'H', CellCode::Ladder},     {'V', CellCode::VanishLadder}, {'X', CellCode::Solid88},
              {'|', CellCode::LadderRight}};

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

bool Number(const std::string& word, int& out) {
  if (word.empty() || word.size() > 3) return false;
  int v = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v > 255) return false;
  out = v;
  return true;
}

// Matches the words after the keyword against a pattern: "#" is a number (0 to 255), any
// other entry a word that must stand there.
bool Match(const std::vector<std::string>& words, const std::vector<std::string>& pattern,
           std::vector<int>& numbers, std::string& error) {
  if (words.size() != pattern.size() + 1) {
    error = "\"" + words[0] + "\" takes " + std::to_string(pattern.size()) + " words after it";
    return false;
  }
  numbers.clear();
  for (std::size_t i = 0; i < pattern.size(); i++) {
    const std::string& w = words[i + 1];
    if (pattern[i] == "#") {
      int v;
      if (!Number(w, v)) {
        error = "\"" + w + "\" is not a number from 0 to 255";
        return false;
      }
      numbers.push_back(v);
    } else if (w != pattern[i]) {
      error = "expected \"" + pattern[i] + "\" where \"" + w + "\" stands";
      return false;
    }
  }
  return true;
}

const std::map<std::string, std::vector<std::string>> kPatterns = {
    {"signature", {"#", "#", "#", "#"}},
    {"theme", {"#"}},
    {"backdrop", {"#"}},
    {"player", {"#", "#", "room", "#", "#"}},
    {"door", {"#", "#", "gold", "#", "room", "#", "#"}},
    {"room", {"#", "#"}},
    {"enemy", {"#", "#", "kind", "#", "frame", "#", "room", "#", "#"}},
    {"trap", {"#", "#", "kind", "#", "frame", "#", "height", "#", "room", "#", "#"}},
    {"item", {"#", "#", "kind", "#", "frame", "#", "room", "#", "#"}},
    {"statue", {"#", "#", "frame", "#", "room", "#", "#"}},
};

}  // namespace

char CellChar(int code) {
  for (auto e : kCells)
    if (e.code == code) return e.c;
  return 0;
}

int CellCode(char c) {
  for (auto e : kCells)
    if (e.c == c) return e.code;
  return -1;
}

bool Parse(const std::string& text, stagefile::Data& out, std::string& error) {
  std::vector<std::string> lines;
  {
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
      if (!l.empty() && l.back() == '\r') l.pop_back();
      lines.push_back(l);
    }
  }
  stagefile::Data d;
  bool sawPlayer = false, sawDoor = false;
  auto fail = [&error](std::size_t line, const std::string& what) {
    error = "line " + std::to_string(line + 1) + ": " + what;
    return false;
  };
  for (std::size_t i = 0; i < lines.size(); i++) {
    std::vector<std::string> words = Words(lines[i]);
    if (words.empty() || words[0][0] == '#') continue;
    auto p = kPatterns.find(words[0]);
    if (p == kPatterns.end()) return fail(i, "unknown word \"" + words[0] + "\"");
    std::vector<int> n;
    std::string why;
    if (!Match(words, p->second, n, why)) return fail(i, why);
    const std::string& k = words[0];
    if (k == "signature") {
      d.signature = {n[0], n[1], n[2], n[3]};
    } else if (k == "theme") {
      d.Worldtheme = n[0];
    } else if (k == "backdrop") {
      d.BackGround = n[0];
    } else if (k == "player") {
      d.playerX = n[0], d.playerY = n[1], d.playerRoomX = n[2], d.playerRoomY = n[3];
      sawPlayer = true;
    } else if (k == "door") {
      d.doorX = n[0], d.doorY = n[1], d.doorFrame = n[2], d.doorRoomX = n[3], d.doorRoomY = n[4];
      sawDoor = true;
    } else if (k == "room") {
      int rx = n[0], ry = n[1];
      if (rx > 5 || ry > 5) return fail(i, "rooms are numbered 0 to 5");
      if (d.roomRecords.size() >= 255) return fail(i, "more than 255 room records");
      d.roomRecords.push_back({rx, ry});
      for (int row = 0; row < 24; row++) {
        std::size_t at = i + 1 + row;
        if (at >= lines.size())
          return fail(at, "the room ends after " + std::to_string(row) + " rows");
        const std::string& cells = lines[at];
        if (cells.size() != 32) return fail(at, "a row of a room has 32 cells");
        for (int column = 0; column < 32; column++) {
          int code = CellCode(cells[column]);
          if (code < 0) return fail(at, std::string("unknown cell '") + cells[column] + "'");
          d.Cell(rx, ry, column, row) = static_cast<unsigned char>(code);
        }
      }
      i += 24;
    } else if (k == "enemy") {
      d.enemies.push_back({n[0], n[1], n[2], n[3], n[4], n[5]});
    } else if (k == "trap") {
      d.traps.push_back({n[0], n[1], n[2], n[3], n[4], n[5], n[6]});
    } else if (k == "item") {
      d.items.push_back({n[0], n[1], n[2], n[3], n[4], n[5]});
    } else if (k == "statue") {
      d.statues.push_back({n[0], n[1], n[2], n[3], n[4]});
    }
  }
  if (d.roomRecords.empty()) return fail(lines.size(), "the stage has no room");
  if (!sawPlayer) return fail(lines.size(), "the stage has no \"player\" line");
  if (!sawDoor) return fail(lines.size(), "the stage has no \"door\" line");
  if (d.enemies.size() > 255 || d.traps.size() > 255 || d.items.size() > 255 ||
      d.statues.size() > 255)
    return fail(lines.size(), "a stage holds at most 255 objects of a kind");
  // The reader must take it whole.
  stagefile::Data check;
  stagefile::Check c = stagefile::Decode(stagefile::Encode(d), check);
  if (!c.ok()) return fail(lines.size(), "the stage reader refuses it: " + c.what);
  out = std::move(d);
  return true;
}

bool Writable(const stagefile::Data& s, std::string& error) {
  for (const auto& r : s.roomRecords)
    for (int row = 0; row < 24; row++)
      for (int column = 0; column < 32; column++) {
        int code = s.Cell(r[0], r[1], column, row);
        if (CellChar(code) != 0) continue;
        error = "room (" + std::to_string(r[0]) + ", " + std::to_string(r[1]) + ") row " +
                std::to_string(row) + " column " + std::to_string(column) + " holds code " +
                std::to_string(code) + ", which has no character in a stage source";
        return false;
      }
  return true;
}

std::string Write(const stagefile::Data& s) {
  std::ostringstream o;
  if (s.signature != stagefile::kSignature)
    o << "signature " << s.signature[0] << ' ' << s.signature[1] << ' ' << s.signature[2] << ' '
      << s.signature[3] << '\n';
  o << "theme " << s.Worldtheme << '\n';
  o << "backdrop " << s.BackGround << '\n';
  o << "player " << s.playerX << ' ' << s.playerY << " room " << s.playerRoomX << ' '
    << s.playerRoomY << '\n';
  o << "door " << s.doorX << ' ' << s.doorY << " gold " << s.doorFrame << " room " << s.doorRoomX
    << ' ' << s.doorRoomY << '\n';
  for (const auto& r : s.roomRecords) {
    o << "\nroom " << r[0] << ' ' << r[1] << '\n';
    for (int row = 0; row < 24; row++) {
      for (int column = 0; column < 32; column++) {
        char c = CellChar(s.Cell(r[0], r[1], column, row));
        o << (c != 0 ? c : '?');
      }
      o << '\n';
    }
  }
  if (!s.enemies.empty()) o << '\n';
  for (const auto& e : s.enemies)
    o << "enemy " << e.x << ' ' << e.y << " kind " << e.Kind << " frame " << e.frame << " room "
      << e.OriginRoomX << ' ' << e.OriginRoomY << '\n';
  if (!s.traps.empty()) o << '\n';
  for (const auto& t : s.traps)
    o << "trap " << t.X << ' ' << t.Y << " kind " << t.Kind << " frame " << t.Frame << " height "
      << t.Height << " room " << t.Roomx << ' ' << t.Roomy << '\n';
  if (!s.items.empty()) o << '\n';
  for (const auto& it : s.items)
    o << "item " << it.X << ' ' << it.Y << " kind " << it.kind << " frame " << it.frame << " room "
      << it.RoomX << ' ' << it.RoomY << '\n';
  if (!s.statues.empty()) o << '\n';
  for (const auto& st : s.statues)
    o << "statue " << st.x << ' ' << st.y << " frame " << st.frame << " room " << st.roomx << ' '
      << st.roomy << '\n';
  return o.str();
}

}  // namespace stagec
