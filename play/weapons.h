// Thrown weapons: flight, sticking in a wall, the drop, landing as an item, the catch, and
// the hits on enemies.
#pragma once

// One tick of every thrown weapon, first to last; a weapon that is done (caught or landed) is
// removed. Called by UpdateGame before the enemies. Always 0.
int UpdateWeapons();
// Moves the weapon in `Weapon` into the room beside the edge it has crossed, or wraps it to the
// far end of its row or the top of its column. Always 0.
int FindWeaponRoom();
