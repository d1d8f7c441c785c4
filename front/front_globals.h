// The globals of the menus that other subsystems do not share through core/globals.h: the key
// redefinition tables and the title menu's loop state.
#pragma once

#include <string>

// Key redefinition: row r holds a key code's decimal text (column 0) and its name (column 1).
extern std::string arrKeyMap[101][2];
extern int KNO[5];
extern std::string KN[5];
extern int RKey;

// The title menu's loop state, kept while the options screen and the instruction pages run.
struct TitleMenuState {
  int selection = 0;     // entry 0 to 5
  int rowTop = 327;      // 327 + 44 x selection
  int creditsX = 801;    // the credits line's x
  int arrowCounter = 0;  // 0 to 5
  int arrowCell = 0;     // 0 to 9
  int driftX = 0;        // the options screen's background drift, 0 to 191
  int driftY = 0;        // 0 to 95
};
extern TitleMenuState TitleMenu;
// The instruction page shown, 0 to 2; every visit starts at 0.
extern int InstructionPage;

// Restores every global of this header to its program-start value. For tests.
void ResetFrontGlobals();
