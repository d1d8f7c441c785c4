// The world and the shared state of the game: module-level globals owned by the program for
// its whole run. Subsystems keep their own private globals in their own headers; what several
// subsystems read and write lives here.
#pragma once

#include <memory>
#include <string>

#include "media/media.h"

struct bbPlayers;
struct bbExitDoors;
struct bbGames;

// --- geometry
constexpr int kCell = 24;      // a cell is 24 x 24 pixels
constexpr int kRoomCols = 32;  // a room is 32 x 24 cells, 768 x 576 pixels
constexpr int kRoomRows = 24;
constexpr int kStageCols = 197;  // the cell grid, indexed [column][row]
constexpr int kStageRows = 147;

// --- the world
extern int Stage[kStageCols][kStageRows];
extern int Rooms[7][7];   // [rx][ry], 6 x 6 used: 1 where the room exists
extern int RoomX, RoomY;  // the room shown and played
extern int Worldtheme;    // 0 to 5: blocks, dig and room-plan graphics
extern int BackGround;    // 0 to 11: backdrop frame and statue pair
extern int NumOfRooms, numofenemies, numoftraps, numofitems, numofstatus, NumOfGold;
extern int PlayerX, PlayerY;
extern std::string SN;   // the stage name the editor shows and quick-saves to
extern std::string Sng;  // the stage song's file name

// The Stage cell at world column c, row r, or 0 outside the grid; SetCell ignores such cells.
// The one bounded lookup of the cell grid.
int CellAt(int c, int r);
void SetCell(int c, int r, int code);

// --- the single objects
extern std::shared_ptr<bbPlayers> Player;
extern std::shared_ptr<bbExitDoors> Exitdoor;
extern std::shared_ptr<bbGames> Game;

// --- mode flags
extern int EditMode, DemoMode, Tutorial, TutNo, User, Difficulity, Control, CantFly;
extern int quit;  // the quit dialog's end flag
// Flags several screens share: back to the title from a chooser or the stage title (MainMenu),
// the room-grid overlay (ShowGrid), the exit door just opened (DoorOpened).
extern int MainMenu, ShowGrid, DoorOpened;

// --- built-in data and tables made at start-up
extern int PlayerJump[19], PlayerJumpX[19], Bounce[19];
extern int W[26], H[26];
extern int Demo[2][5001];
extern int Played[71];
extern std::string Lang[186];
extern std::string Tut[12];
extern std::string ItemName[31];
extern std::string Option[16];
extern std::string txt[31];

// --- settings and folders
extern int Mode;        // display mode 0 to 2
extern std::string md;  // label of the display mode
extern int LangRect;    // language 1 to 4 selected on the options screen
extern int GraphicsFullScreen;
extern int FPS, DelayTime;
extern std::string AppPath, FilePath, Path, dir;

// --- images, loaded at start-up and kept for the whole run
extern media::Image imgFont, optAlpha, optAlpha2, Flags, Back, ItemSprite, logo;
extern media::Image Options1, Options2, ScoreBar, F1_Help, F1_Edit, Editor, Editor2, ESC_Quit,
    Buttons, Mappy, Mappy2, PlayerSprite, Bricks, Enemiesprite, HDigBlock, VDigBlock, XDoor, Doors,
    Statusprite, Arrow, Title;

// --- sounds, loaded at start-up and kept for the whole run
extern media::Sound sndGold, sndOptions, jumpsound, HitFloor, sndDrill, sndPick, sndFall, sndItem,
    sndKnife, sndBoome, sndScoop, sndHammer, sndLadder, sndFloor, sndCreateWall, sndCloseCoffine,
    sndKilled, sndKillEnemy, sndPonyJump, sndCreatePony, sndDoor, sndPushStone, sndRollStop,
    sndAllGold, sndExiting;

// --- channels and volumes
extern media::Channel song, Sfx;
extern float MusicVol, SfxVol, tmpMusicVol, tmpSfxVol;

// Restores every global of the program to its program-start value: this header's (empty world,
// null images, sounds and single objects, channels stopped and null, volumes 1.0 and 0.3,
// Difficulity 1, CantFly 1, LangRect 1), core's own state (the object lists emptied and their
// cursors null, the font widths and blink counter, the music cache and player), then every
// reset registered by the layers above. The one call the test fixtures make.
void ResetGlobals();

// Registers the reset of a file's own globals, run by ResetGlobals after core's resets. The
// file that defines the globals registers it at program start, so a program resets exactly the
// globals it holds whichever layers it links. Returns true.
bool RegisterGlobalsReset(void (*reset)());

// The world (cells, rooms, counts, the single objects) and the tables (mode flags, built-in
// tables, texts, settings and folders) back to their program-start values. Start-up's first
// step (MakeArrays) and part of ResetGlobals.
void ResetWorldAndTables();
