#include "play/stubs.h"

// The traps have no rules yet: a tick leaves them as they are.
int UpdateTraps() {
  return 0;
}
