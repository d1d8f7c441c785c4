// The level chooser (the 70 built-in stages as a 10 x 7 grid of buttons, the finished ones
// marked) and the tutorial chooser (the 11 tutorials with the title line of the one under the
// pointer). Both run with the play origin (16, 0) and viewport (16, 0, 768, 600).
#pragma once

// Sets Game.Stage to the chosen stage less 1, or MainMenu on Escape. Always 0.
int ChooseLevel();
// Sets TutNo to the chosen tutorial (1 to 11), or MainMenu on Escape. Always 0.
int ChooseTutorial();

// The button index under a pointer, as both choosers compute it: the column (an eleventh
// column right of the grid included) plus 10 per row, counting the margins left and above as
// the first column and row.
int ChooserIndex(int mouseX, int mouseY);
