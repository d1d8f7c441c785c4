#include "editor/editor.h"

#include <string>

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/quit.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/text.h"
#include "editor/palette.h"
#include "editor/place.h"
#include "editor/rooms.h"
#include "editor/save.h"
#include "editor/screen.h"
#include "media/media.h"
#include "play/render.h"

int Show = 0, EditHelp = 0, EditLegend = 0, ddelay = 0, disp = 15;

namespace {

constexpr int kMessagePasses = 180;  // three seconds at 60 passes a second

void Enter() {
  if (GraphicsFullScreen == 1) media::Graphics(800, 600, 0, 60);
  media::SetViewport(0, 0, 800, 600);
  media::SetOrigin(0, 0);
  media::FlushMouse();
  if (song) StopChannel(song);
  ddelay = 10;
  Tutorial = 0;
  EditHelp = 1;
  media::ChangeDir(FilePath);
  Game->Stage = 0;
  SN.clear();
  ClearEditorStage();
  quit = 0;
  media::FlushKeys();
}

void Leave() {
  if (GraphicsFullScreen == 1) media::Graphics(800, 600, 32, 60);
  media::ChangeDir(AppPath);
  quit = 0;
  Game->State = GameState::Title;
}

void ClickRules(EditorLoop& loop) {
  const int mx = media::MouseX(), my = media::MouseY();
  if (OnPanel(mx, my) && Show == 1)
    PanelClick(loop, mx, my);
  else
    PlaceObject(loop, mx, my);
  BottomPanelClick(loop, mx, my);
}

void DeleteRules(const EditorLoop& loop) {
  const int mx = media::MouseX(), my = media::MouseY();
  int rx = 0, ry = 0;
  if (Show == 1 && RoomMapHit(mx, my, rx, ry)) {
    RoomX = rx, RoomY = ry;
    DeleteOneRoom();
  }
  DeleteUnder(loop.sx, loop.sy);
}

void DrawRoom() {
  RenderBack();
  RenderDecoration();
  RenderBlocks(RoomX * kRoomCols, RoomY * kRoomRows, Worldtheme);
  if (Exitdoor->State > 0 && Exitdoor->roomx == RoomX && Exitdoor->roomy == RoomY)
    DrawImage(XDoor, Exitdoor->x * kCell, Exitdoor->y * kCell, Exitdoor->Frame);
  RenderItems();
  RenderEnemies();
  Rendertraps();
  if (Player->RoomX == RoomX && Player->RoomY == RoomY && Player->Exist == 1)
    DrawImage(PlayerSprite, Player->X * kCell, Player->Y * kCell, Player->Frame);
}

void Say(EditorLoop& loop, const std::string& text) {
  loop.message = text;
  loop.messagePasses = kMessagePasses;
}

// File names are asked on the terminal the game was started from; started without one (from
// a desktop launcher) the question gets no answer and nothing is loaded or saved.
std::string NoConsoleText() {
  static const char* const kText[] = {
      "No terminal for the file name: nothing done",
      "Pas de terminal pour le nom: rien n'est fait",
      "Kein Terminal fuer den Dateinamen: nichts getan",
      "Nessun terminale per il nome: niente fatto",
  };
  return kText[Language >= 2 && Language <= 4 ? Language - 1 : 0];
}

void Keys(EditorLoop& loop) {
  if (media::KeyHit(media::KEY_F1)) EditHelp = EditHelp == 0 ? 1 : 0;
  if (media::KeyHit(media::KEY_F1 + 1)) EditLegend = EditLegend == 0 ? 1 : 0;
  if (media::KeyHit(media::KEY_F1 + 2)) DeleteOneRoom();
  if (media::KeyHit(media::KEY_F1 + 3)) {
    ShowPanel();
    media::Flip(-1);
    ShowPanel();
    DeleteAll();
  }
  if (media::KeyHit(media::KEY_F1 + 4)) {
    const int line = EditorLoad();
    if (line >= 0) Say(loop, Lang[line]);
    if (media::ConsoleEnded()) Say(loop, NoConsoleText());
  }
  if (media::KeyHit(media::KEY_F1 + 5) && !SN.empty()) SaveStage(SN);
  if (media::KeyHit(media::KEY_F1 + 6)) {
    SAVE();
    if (media::ConsoleEnded()) Say(loop, NoConsoleText());
  }
  if (media::KeyHit(media::KEY_F1 + 8)) DrawBorder(0, loop.tool);
  if (media::KeyHit(media::KEY_F1 + 9)) DrawBorder(1, loop.tool);
  // Codes 2 to 7 and 30 are no keys of an ordinary keyboard; they stay as the table has them.
  for (int code = 2; code <= 7; ++code)
    if (media::KeyHit(code)) Worldtheme = code - 2, BackGround = 2 * (code - 2);
  if (media::KeyHit(30)) BackGround = 2 * Worldtheme;
  if (media::KeyHit(media::KEY_0)) BackGround = 2 * Worldtheme + 1;
}

void BottomBar(EditorLoop& loop) {
  pausecounter = (pausecounter + 1) % 1000;
  if (loop.messagePasses > 0) {
    --loop.messagePasses;
    DisplayText(media::Upper(loop.message), 0, 580, 1, 0);
  } else if (pausecounter < 975) {
    DisplayText(media::Upper(Lang[53]), 0, 580, 1, 0);
  }
}

void CursorFrame(const EditorLoop& loop) {
  const int mx = media::MouseX(), my = media::MouseY();
  if ((mx <= 639 && my <= 449) || (Show == 0 && (mx >= 641 || my >= 451))) {
    media::SetColor(255, 100, 255);
    Rect(loop.sx, loop.sy, W[loop.tool - 1], H[loop.tool - 1]);
  }
}

}  // namespace

void ClearEditorStage() {
  for (int ry = 0; ry < 6; ++ry)
    for (int rx = 0; rx < 6; ++rx) DeleteRoom(rx, ry);
  RoomX = RoomY = 0;
  Rooms[0][0] = 1;
  NumOfRooms = 1;
  Worldtheme = BackGround = 0;
  numofenemies = numofstatus = NumOfGold = numofitems = numoftraps = 0;
}

bool EditorPass(EditorLoop& loop) {
  if (media::KeyHit(media::KEY_ESCAPE)) QuitFunc();
  if (media::MouseHit(1)) ClickRules(loop);
  if (media::MouseHit(2) && Rooms[RoomX][RoomY] == 1) DeleteRules(loop);
  if (media::KeyHit(media::KEY_SPACE)) Show = 1 - Show;
  loop.sx = (media::MouseX() / kCell) * kCell;
  loop.sy = (media::MouseY() / kCell) * kCell;
  ddelay -= 1;
  if (ddelay <= 0) {
    ddelay = 0;
    PaintHeld(loop);
  }
  DrawRoom();
  Keys(loop);
  media::SetColor(0, 0, 0);
  media::DrawRect(0, 576, 800, 32);
  media::DrawRect(768, 0, 32, 600);
  if (EditLegend == 1) DisplayStats(Show == 1 ? 495 : 656);
  if (EditHelp == 1) {
    media::SetBlend(media::ALPHABLEND);
    media::SetAlpha(0.7f);
    DrawImage(F1_Edit, 250, 150, 0);
    media::SetAlpha(1.0f);
  }
  BottomBar(loop);
  if (Show == 1) DrawPanels(loop);
  CursorFrame(loop);
  pausecounter = (pausecounter + 1) % 1000;
  if (pausecounter < 975 && Show == 1) media::DrawText(Lang[54], 90, 552);
  DrawImage(ItemSprite, media::MouseX(), media::MouseY(), 62);
  media::Flip(-1);
  RenderOverBorders();
  media::Delay(DelayTime);
  return quit == 0;
}

int GameEditor() {
  Enter();
  EditorLoop loop;
  while (EditorPass(loop)) {
  }
  Leave();
  return 0;
}

void ResetEditor() {
  Show = EditHelp = EditLegend = ddelay = 0;
  disp = 15;
}
