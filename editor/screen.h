// The editor's drawing helpers and its one-line text box.
#pragma once

#include <string>

// The six count lines (rooms, enemies, items, statues, traps, gold) from left edge x.
int DisplayStats(int x);
// The palette at (641, 0) and the bottom panel at (0, 490).
int ShowPanel();
// The enemies whose origin room is the current room, drawn from their cells.
void RenderEnemies();
// A modal text box at the top left over a copy of the screen until Enter; returns the text
// typed (characters above 32 only, Backspace removes the last).
std::string Input(const std::string& prompt);
// Whether a reply to one of the editor's questions means yes: "y" in either case.
bool IsYes(const std::string& reply);
