// Enemies for the play tests, made as the stage reader makes them.
#pragma once

#include <memory>

#include "core/objects.h"
#include "play/rules_fixture.h"

namespace playtest {

// An enemy of `kind` with its top-left at cell (c, r) of room (rx, ry), its coffin there too.
inline std::shared_ptr<bbEnemies> Spawn(int kind, int c, int r, int rx = 0, int ry = 0) {
  auto e = New<bbEnemies>();
  e->Kind = kind;
  e->OriginRoomX = e->RoomX = rx;
  e->OriginRoomY = e->RoomY = ry;
  e->CoffineX = c * 24, e->CoffineY = (r - 1) * 24;
  e->x = rx * 768 + c * 24, e->y = ry * 576 + r * 24;
  return e;
}

inline void ClearEnemies() {
  for (auto e : Enemies_list.Each<bbEnemies>()) e->Remove();
}

}  // namespace playtest
