// Inputs the fuzz targets and their seeds share.
#pragma once

#include "stages/stage_format.h"

namespace fuzz {

// A small sound stage: rooms (0, 0) and (1, 0), two enemies, a trap of each kind 0 to 4, items
// and statues. The stage target loads it before every input as "the stage in memory".
stagefile::Data BaselineStage();

}  // namespace fuzz
