// Core code calling a higher layer, as a wrong-way include would make it.
#include "play/tick.h"

int ProbeCallsPlay() {
  return UpdateGame();
}
