#include "core/globals.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "core/objects.h"
#include "core/sound.h"
#include "core/text.h"

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
int MainMenu, ShowGrid, DoorOpened;

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

int CellAt(int c, int r) {
  if (c < 0 || c >= kStageCols || r < 0 || r >= kStageRows) return 0;
  return Stage[c][r];
}

void SetCell(int c, int r, int code) {
  if (c < 0 || c >= kStageCols || r < 0 || r >= kStageRows) return;
  Stage[c][r] = code;
}

namespace {

template <class T, std::size_t N>
void Fill(T (&a)[N], const T& v) {
  std::fill(std::begin(a), std::end(a), v);
}

void ResetWorld() {
  for (auto& column : Stage) Fill(column, 0);
  for (auto& column : Rooms) Fill(column, 0);
  RoomX = RoomY = 0;
  Worldtheme = BackGround = 0;
  NumOfRooms = numofenemies = numoftraps = numofitems = numofstatus = NumOfGold = 0;
  PlayerX = PlayerY = 0;
  SN.clear();
  Sng.clear();
  Player.reset();
  Exitdoor.reset();
  Game.reset();
}

void ResetTables() {
  EditMode = DemoMode = Tutorial = TutNo = User = Control = 0;
  Difficulity = 1;
  CantFly = 1;
  quit = 0;
  MainMenu = ShowGrid = DoorOpened = 0;
  Fill(PlayerJump, 0);
  Fill(PlayerJumpX, 0);
  Fill(Bounce, 0);
  Fill(W, 0);
  Fill(H, 0);
  for (auto& row : Demo) Fill(row, 0);
  Fill(Played, 0);
  Fill(Lang, std::string());
  Fill(Tut, std::string());
  Fill(ItemName, std::string());
  Fill(Option, std::string());
  Fill(txt, std::string());
  Mode = 0;
  md.clear();
  LangRect = 1;
  GraphicsFullScreen = 0;
  FPS = DelayTime = 0;
  AppPath.clear();
  FilePath.clear();
  Path.clear();
  dir.clear();
}

std::vector<void (*)()>& RegisteredResets() {
  static std::vector<void (*)()> resets;
  return resets;
}

void ResetMedia() {
  for (media::Image* image :
       {&imgFont,   &optAlpha,  &optAlpha2, &Flags,   &Back,         &ItemSprite, &logo,
        &Options1,  &Options2,  &ScoreBar,  &F1_Help, &F1_Edit,      &Editor,     &Editor2,
        &ESC_Quit,  &Buttons,   &Mappy,     &Mappy2,  &PlayerSprite, &Bricks,     &Enemiesprite,
        &HDigBlock, &VDigBlock, &XDoor,     &Doors,   &Statusprite,  &Arrow,      &Title})
    image->reset();
  for (media::Sound* sound :
       {&sndGold,         &sndOptions,   &jumpsound,    &HitFloor,    &sndDrill,
        &sndPick,         &sndFall,      &sndItem,      &sndKnife,    &sndBoome,
        &sndScoop,        &sndHammer,    &sndLadder,    &sndFloor,    &sndCreateWall,
        &sndCloseCoffine, &sndKilled,    &sndKillEnemy, &sndPonyJump, &sndCreatePony,
        &sndDoor,         &sndPushStone, &sndRollStop,  &sndAllGold,  &sndExiting})
    sound->reset();
  StopChannel(song);
  StopChannel(Sfx);
  song.reset();
  Sfx.reset();
  MusicVol = tmpMusicVol = 1.0f;
  SfxVol = tmpSfxVol = 0.3f;
}

}  // namespace

bool RegisterGlobalsReset(void (*reset)()) {
  RegisteredResets().push_back(reset);
  return true;
}

void ResetWorldAndTables() {
  ResetWorld();
  ResetTables();
}

void ResetGlobals() {
  ResetObjects();
  ResetWorldAndTables();
  ResetMedia();
  ResetText();
  ResetMusic();
  for (auto reset : RegisteredResets()) reset();
}
