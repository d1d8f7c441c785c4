// The stage editor: the screen loop that builds a stage room by room on the shared world
// (every position in cells while EditMode is 1), with its tool palette, room map and keys.
#pragma once

#include <string>

// Kept from one run of the editor to the next.
extern int Show;        // the palette and the bottom panel are shown
extern int EditHelp;    // the help picture is shown
extern int EditLegend;  // the statistics are shown
extern int ddelay;      // passes during which held buttons do not paint
extern int disp;        // step of the palette highlight's pulsing green

// The state of one run of the loop.
struct EditorLoop {
  int tool = 1;           // 1 to 26
  int sx = 0, sy = 0;     // the pointer snapped to the cell grid, as of the last pass
  int hx = 624, hy = 0;   // corner of the palette highlight
  int green = 0;          // the highlight's pulsing green
  int button = 0;         // the bottom panel's stored button value
  std::string message;    // shown in the bottom bar instead of the hint
  int messagePasses = 0;  // passes it stays
};

// The editor: returns with Game->State 31 once the quit dialog is confirmed. Always 0.
int GameEditor();

// The empty one-room stage the editor starts from: every room deleted, room (0, 0) alone,
// theme, backdrop and every count 0, no player start, no exit door.
void ClearEditorStage();

// One pass of the loop: input, drawing, Flip. Returns false once the quit dialog said yes.
bool EditorPass(EditorLoop& loop);

// Back to the program-start values of the editor's globals. For tests.
void ResetEditor();
