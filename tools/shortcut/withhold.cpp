#include "tools/shortcut/withhold.h"

#include <cstdlib>
#include <sstream>

#include "core/codes.h"
#include "core/globals.h"

namespace shortcut {

namespace {

std::string Trim(const std::string& s) {
  const std::size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return "";
  const std::size_t b = s.find_last_not_of(" \t\r\n");
  return s.substr(a, b - a + 1);
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, sep)) parts.push_back(part);
  if (!s.empty() && s.back() == sep) parts.emplace_back();
  return parts;
}

// The stage source's row of a trap: a wall trap's object lies at the foot of its wall.
int SourceRow(const bbTraps& t) {
  return t.Kind == TrapKind::WallTrap ? t.Y - t.Height : t.Y;
}

bool Matches(const bbTraps& t, const WithheldTrap& w) {
  return t.Kind == w.kind && t.X == w.x && t.Y == w.y && t.Roomx == w.roomX && t.Roomy == w.roomY;
}

}  // namespace

bool ParseElements(const std::string& text, std::vector<Element>& out, std::string& error) {
  std::vector<Element> elements;
  for (const std::string& raw : Split(text, ';')) {
    const std::string part = Trim(raw);
    if (part.empty()) continue;
    std::istringstream in(part);
    std::string kind, roomWord, rest;
    Element e;
    if (!(in >> kind >> e.x >> e.y >> roomWord >> e.roomX >> e.roomY) || roomWord != "room" ||
        (in >> rest) || (kind != "trap" && kind != "item" && kind != "enemy")) {
      error = "cannot read the key element '" + part + "' (kind X Y room RX RY)";
      return false;
    }
    e.kind = kind == "trap" ? Element::Trap : kind == "item" ? Element::Item : Element::Enemy;
    elements.push_back(e);
  }
  out = std::move(elements);
  return true;
}

bool CampaignElements(const std::string& campaign, const std::string& stage, std::string& out,
                      std::string& error) {
  std::istringstream lines(campaign);
  std::string line;
  auto lower = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  while (std::getline(lines, line)) {
    if (Trim(line).empty() || Trim(line)[0] == '#') continue;
    const std::vector<std::string> fields = Split(line, '|');
    if (fields.empty() || lower(Trim(fields[0])) != lower(stage)) continue;
    out = fields.size() >= 7 ? Trim(fields[6]) : std::string();
    return true;
  }
  error = "the campaign list has no line for stage " + stage;
  return false;
}

bool Withhold(const std::vector<Element>& elements, std::vector<WithheldTrap>& traps,
              std::string& error) {
  traps.clear();
  for (const Element& e : elements) {
    bool found = false;
    if (e.kind == Element::Trap) {
      for (auto t : Traps_list.Each<bbTraps>()) {
        if (t->X != e.x || SourceRow(*t) != e.y || t->Roomx != e.roomX || t->Roomy != e.roomY)
          continue;
        traps.push_back({t->Kind, t->X, t->Y, t->Roomx, t->Roomy, t->Height, t->NumOfPass});
        found = true;
        break;
      }
    } else if (e.kind == Element::Item) {
      for (auto it : Items_list.Each<bbItems>()) {
        if (it->X != e.x || it->Y != e.y || it->RoomX != e.roomX || it->RoomY != e.roomY) continue;
        if (it->kind == ItemKind::Gold) {
          error = "the key element item " + std::to_string(e.x) + " " + std::to_string(e.y) +
                  " is gold, which cannot be withheld";
          return false;
        }
        it->Remove();
        found = true;
        break;
      }
    } else {
      for (auto en : Enemies_list.Each<bbEnemies>()) {
        if (en->CoffineX != e.x * kCell || en->CoffineY != (e.y - 1) * kCell ||
            en->OriginRoomX != e.roomX || en->OriginRoomY != e.roomY)
          continue;
        en->Remove();
        numofenemies -= 1;
        found = true;
        break;
      }
    }
    if (!found) {
      static const char* const kNames[] = {"trap", "item", "enemy"};
      error = std::string("the key element ") + kNames[e.kind] + " " + std::to_string(e.x) + " " +
              std::to_string(e.y) + " room " + std::to_string(e.roomX) + " " +
              std::to_string(e.roomY) + " is not in the stage";
      return false;
    }
  }
  return true;
}

TrapWatch::TrapWatch(const std::vector<WithheldTrap>& traps) : traps_(traps) {
  for (const WithheldTrap& w : traps_) {
    std::shared_ptr<bbTraps> found;
    for (auto t : Traps_list.Each<bbTraps>())
      if (Matches(*t, w)) found = t;
    objects_.push_back(found);
  }
}

bool TrapWatch::Used() const {
  for (std::size_t i = 0; i < traps_.size(); ++i) {
    const WithheldTrap& w = traps_[i];
    const auto& t = objects_[i];
    if (!t || !Traps_list.Contains(t.get()) || !Matches(*t, w)) return true;
    switch (w.kind) {
      case TrapKind::WallTrap:
        if (t->State != 0) return true;
        break;
      case TrapKind::Stone:
        if (t->State != 0) return true;  // falling
        break;
      case TrapKind::VanishLadder: {
        if (t->NumOfPass != w.passes) return true;
        // Held on the ladder: its columns, from its top cell down to its foot.
        const int column = Player->X / kCell, row = Player->Y / kCell;
        if (Player->Action == Act::Ladder && RoomX == w.roomX && RoomY == w.roomY &&
            column >= w.x - 1 && column <= w.x + 1 && row >= w.y - 2 && row <= w.y + w.height)
          return true;
        break;
      }
      case TrapKind::TwoWayLeft:
      case TrapKind::TwoWayRight:
      case TrapKind::OneWayLeft:
      case TrapKind::OneWayRight:
        if (t->State != 0) return true;
        break;
      default:
        break;
    }
  }
  return false;
}

}  // namespace shortcut
