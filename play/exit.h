// The player's actions that the player does not steer: walking through a door trap, entering
// the exit door at the end of a stage, and dying.
#pragma once

// One tick of a door passage (Action 22 to 25) for every door trap being passed.
void DoorPassageStep();
// One tick of entering the exit door (Action 26); ends the stage at the 326th tick.
void ExitStep();
// One tick of dying (Action 16); at the 151st tick the stage starts again or the game ends.
void DyingStep();
// Marks the built-in stage as finished in Played and rewrites Path + "Played.Bin" (70 bytes)
// through the one progress writer, WritePlayed (core/settings.h).
// A stage number outside 1 to 70 changes and writes nothing.
void MarkStagePlayed(int stage);
