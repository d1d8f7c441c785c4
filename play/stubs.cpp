#include "play/stubs.h"

// The traps, weapons and enemies have no rules yet: a tick leaves them as they are.
int UpdateTraps() {
  return 0;
}
int UpdateWeapons() {
  return 0;
}
int UpdateEnemies() {
  return 0;
}
