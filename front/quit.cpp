#include "front/quit.h"

#include "core/globals.h"

// A stand-in until the quit dialog lands: no.
int QuitFunc() {
  quit = 0;
  return 0;
}
