#include "core/globals.h"

int Stage[kStageCols][kStageRows];
int Rooms[7][7];
int RoomX, RoomY;
int Worldtheme, BackGround;
int NumOfRooms, numofenemies, numoftraps, numofitems, numofstatus, NumOfGold;
int PlayerX, PlayerY;
std::string SN, Sng;

std::shared_ptr<bbPlayers> Player;
std::shared_ptr<bbExitDoors> Exitdoor;
std::shared_ptr<bbGames> Game;

int EditMode, DemoMode, Tutorial, TutNo, User, Difficulity = 1, Control, CantFly = 1;
int quit;

int PlayerJump[19], PlayerJumpX[19], Bounce[19];
int W[26], H[26];
int Demo[2][5001];
int Played[71];
std::string Lang[186];
std::string Tut[12];
std::string ItemName[31];
std::string Option[16];
std::string txt[31];

int Mode;
std::string md;
int LangRect = 1;
int GraphicsFullScreen;
int FPS, DelayTime;
std::string AppPath, FilePath, Path, dir;

media::Image imgFont, optAlpha, optAlpha2, Flags, Back, ItemSprite, logo;
media::Image Options1, Options2, ScoreBar, F1_Help, F1_Edit, Editor, Editor2, ESC_Quit, Buttons,
    Mappy, Mappy2, PlayerSprite, Bricks, Enemiesprite, HDigBlock, VDigBlock, XDoor, Doors,
    Statusprite, Arrow, Title;

media::Sound sndGold, sndOptions, jumpsound, HitFloor, sndDrill, sndPick, sndFall, sndItem,
    sndKnife, sndBoome, sndScoop, sndHammer, sndLadder, sndFloor, sndCreateWall, sndCloseCoffine,
    sndKilled, sndKillEnemy, sndPonyJump, sndCreatePony, sndDoor, sndPushStone, sndRollStop,
    sndAllGold, sndExiting;

media::Channel song, Sfx;
float MusicVol = 1.0f, SfxVol = 0.3f, tmpMusicVol = 1.0f, tmpSfxVol = 0.3f;
