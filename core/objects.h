// The base class of the game objects and the nine game-object classes (stand-in: the classes'
// full field lists land with the object-list work).
#pragma once

#include <memory>

#include "media/list.h"

struct bbGames : media::Object {
  int State = 0;
  int Stage = 0;
};
