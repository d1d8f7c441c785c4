// The enemies: one tick of every enemy of the stage, in every room (the loop, the re-homing of
// an enemy that has left its room, the contact kill), and the rules of each kind. The rules act
// on the enemy held in the cursor `Enemy` (core/objects.h).
#pragma once

// One tick of every enemy, first to last; called by UpdateGame after the weapons. Always 0.
int UpdateEnemies();
// Moves the enemy in `Enemy` into the room beside the edge it has crossed, or wraps it to the
// far end of its row or column of rooms. Always 0.
int FindEnemyRoom();
// One tick of the mummy (kinds 0 and 1), the pony (kind 3) and the rolling rock (kind 2) held
// in `Enemy`. Always 0.
int UpdateMummy();
int UpdatePony();
int UpdateRockRoll();

// Helpers the kinds share.
namespace enemy {

// The Stage code of the cell holding world pixel (px, py); a point left of or above the grid
// reads its first column or row (the division truncates toward zero), one beyond it reads 0.
int Cell(int px, int py);
inline bool Solid(int code) {
  return code == 1 || code == 2;
}
inline bool Climbable(int code) {
  return code == 3 || code == 4;
}
// The player's position in world pixels.
int PlayerWorldX();
int PlayerWorldY();
// True when the enemy in `Enemy` is in the room on screen.
bool InPlayerRoom();
// 0 becomes 1 and anything else 0.
int Toggle(int value);
// The common death of every kind: the sound on the first tick, the dying picture for nine
// ticks in the player's room, invisible otherwise, and back at the start place after 400 ticks
// with `frame` 2 * Kind + 22. True on the tick of the rebirth.
bool DyingStep();

}  // namespace enemy
