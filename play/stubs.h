// The thrown weapons and the enemies. Each runs one tick over its object list; they do nothing
// yet.
#pragma once

int UpdateWeapons();
int UpdateEnemies();
