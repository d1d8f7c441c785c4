#include "play/stubs.h"

// The weapons and enemies have no rules yet: a tick leaves them as they are.
int UpdateWeapons() {
  return 0;
}
int UpdateEnemies() {
  return 0;
}
