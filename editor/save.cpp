#include "editor/save.h"

#include <cstdio>

#include "core/globals.h"
#include "core/objects.h"
#include "editor/editor.h"
#include "editor/screen.h"
#include "media/media.h"
#include "stages/stage.h"

bool LastSaveOk = false;

stagefile::Data EditedStage() {
  stagefile::Data s;
  for (int ry = 0; ry < 6; ++ry)
    for (int rx = 0; rx < 6; ++rx) {
      if (Rooms[rx][ry] == 0) continue;
      s.roomRecords.push_back({rx, ry});
      for (int row = 0; row < kRoomRows; ++row)
        for (int column = 0; column < kRoomCols; ++column)
          s.Cell(rx, ry, column, row) =
              static_cast<unsigned char>(Stage[rx * kRoomCols + column][ry * kRoomRows + row]);
    }
  for (auto e : Enemies_list.Each<bbEnemies>())
    s.enemies.push_back({e->x, e->y, e->Kind, e->frame, e->OriginRoomX, e->OriginRoomY});
  for (auto t : Traps_list.Each<bbTraps>())
    s.traps.push_back({t->X, t->Y, t->Kind, t->Frame, t->Height, t->Roomx, t->Roomy});
  for (auto i : Items_list.Each<bbItems>())
    s.items.push_back({i->X, i->Y, i->kind, i->frame, i->RoomX, i->RoomY});
  s.playerX = Player->X, s.playerY = Player->Y;
  s.playerRoomX = Player->RoomX, s.playerRoomY = Player->RoomY;
  s.doorX = Exitdoor->x, s.doorY = Exitdoor->y, s.doorFrame = Exitdoor->Frame;
  s.doorRoomX = Exitdoor->roomx, s.doorRoomY = Exitdoor->roomy;
  s.Worldtheme = Worldtheme;
  s.BackGround = BackGround;
  for (auto st : statuses_list.Each<bbstatuses>())
    s.statues.push_back({st->x, st->y, st->frame, st->roomx, st->roomy});
  return s;
}

int SaveStage(const std::string& name) {
  LastSaveOk = false;
  const std::string file = media::StripDir(name);
  if (file.empty()) return 0;
  const std::vector<unsigned char> bytes = stagefile::Encode(EditedStage());
  media::Stream out = media::WriteFileSafely(FilePath + file);
  bool ok = out != nullptr;
  if (ok) {
    for (unsigned char b : bytes) media::WriteByte(out, b);
    ok = media::CloseFile(out);
  }
  if (!ok) {
    media::Print("The stage was not saved: \"" + file + "\" cannot be written.");
    return 0;
  }
  SN = file;
  LastSaveOk = true;
  return 0;
}

int SAVE() {
  const std::string answer = media::RequestFile(Lang[123]);
  const std::string file = media::StripDir(answer);
  // The question is about the file that would be overwritten: the answer's file part in the
  // player folder, where the stage is written.
  media::Stream old = file.empty() ? nullptr : media::ReadFile(FilePath + file);
  if (old) {
    media::CloseFile(old);
    ShowPanel();
    media::SetColor(0, 0, 0);
    media::DrawRect(90, 548, 550, 22);
    media::SetColor(255, 255, 255);
    media::Flip(-1);
    if (IsYes(Input(Lang[124]))) SaveStage(answer);
  } else {
    SaveStage(answer);
  }
  ddelay = 10;
  media::FlushMouse();
  media::FlushKeys();
  return 0;
}

int EditorLoad() {
  const std::string answer = media::RequestFile(Lang[122]);
  int line = -1;
  if (!answer.empty()) {
    const std::string before = SN;
    LoadStage(answer);
    line = StageFaultLine(LastStageCheck);
    // A refused file leaves the stage as it was, so F6 keeps writing the file it came from.
    if (line >= 0) SN = before;
  }
  media::FlushMouse();
  ddelay = 10;
  media::FlushMouse();
  // Keys pressed in the window while the console waited are not acted on afterwards.
  media::FlushKeys();
  return line;
}
