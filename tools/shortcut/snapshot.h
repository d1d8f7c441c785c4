// The whole play world as a value: the cell grid (as its changes from a base grid), the rooms,
// every object list with its objects, the single Player, Exitdoor and Game objects, the loop
// cursors and the play globals the rules and the frame use. Restoring a snapshot puts the world
// back exactly, so a search can go on from any state without replaying from the start.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/globals.h"
#include "core/objects.h"

namespace shortcut {

// The grid the snapshots of one stage are taken against (the grid at the stage's start).
struct BaseGrid {
  std::vector<int> cells;  // kStageCols * kStageRows, column-major as Stage
};
BaseGrid TakeBaseGrid();

// A class's list: each object's value (its link left empty) and whether it is the single
// object (Player, Exitdoor, Game) that the list holds by identity.
template <class T>
struct ListValue {
  std::vector<T> objects;
  std::vector<char> single;
};

// A loop cursor: the index of its object in its list, or a copy of an object no longer listed.
template <class T>
struct CursorValue {
  int index = -1;  // -1: not in the list
  bool null = true;
  T detached{};
};

struct Snapshot {
  std::vector<std::pair<int, int>> changedCells;  // (index into the grid, code)
  int rooms[7][7] = {};
  std::vector<int> globals;  // the play globals, in the order Globals() lists them
  ListValue<bbGames> games;
  ListValue<bbExitDoors> doors;
  ListValue<bbstatuses> statuses;
  ListValue<bbBackDrops> backdrops;
  ListValue<bbWeapons> weapons;
  ListValue<bbTraps> traps;
  ListValue<bbEnemies> enemies;
  ListValue<bbItems> items;
  ListValue<bbPlayers> players;
  bbPlayers player;
  bbExitDoors exitdoor;
  bbGames game;
  CursorValue<bbItems> item;
  CursorValue<bbEnemies> enemy;
  CursorValue<bbWeapons> weapon;
  CursorValue<bbTraps> trap;
  CursorValue<bbstatuses> status;
};

Snapshot Capture(const BaseGrid& base);
void Restore(const Snapshot& snap, const BaseGrid& base);

// A hash of everything a snapshot holds, the whole grid included. `rulesOnly` leaves out what
// only the drawing and the music read (the pulses, the item animation, the door-open flash, the
// loop cursors): two worlds with the same such digest are the same world for the rules.
std::uint64_t Digest(bool rulesOnly = false);

// One pass of the play loop for the search: UpdateGame, then the frame's one rule, the
// player's action (AnimatePlayer: jumps, falls, digs, door passages, the exit), without the
// drawing, which even into an empty viewport took most of a pass. The tests hold it to the
// full pass.
void FastPass();
// Before a search: no sound effects (the channels would pile up without the screen flips that
// advance the mixer's clock) and the empty viewport. AfterSearch puts both back.
void BeforeSearch();
void AfterSearch();

}  // namespace shortcut
