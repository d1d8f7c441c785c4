// Saving and loading the stage being edited. Files lie in the player folder FilePath.
#pragma once

#include <string>

#include "stages/stage_format.h"

// The stage in the world (positions in cells) as the stage file holds it.
stagefile::Data EditedStage();
// Writes the stage to FilePath + the file part of `name` through the safe-write path and sets
// SN to that file part. An empty name writes nothing. When the file cannot be written the old
// file stays whole, SN stays as it was and a line on the console says so. Always 0.
int SaveStage(const std::string& name);
// True when the last SaveStage wrote its file.
extern bool LastSaveOk;
// Save as: asks for a name on the console, asks before it overwrites a file, then saves.
int SAVE();
// Load: asks for a name on the console and loads it with the stage reader; a refused file
// leaves the stage and SN as they were. Returns the language line telling why a file was
// refused, or -1.
int EditorLoad();
