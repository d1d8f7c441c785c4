#include "editor/screen.h"

#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/text.h"
#include "media/media.h"

int DisplayStats(int x) {
  const int counts[6] = {NumOfRooms, numofenemies, numofitems, numofstatus, numoftraps, NumOfGold};
  for (int i = 0; i < 6; ++i)
    DisplayText(media::Upper(Lang[125 + i]) + std::to_string(counts[i]), x, 10 + 20 * i, 0, 1);
  return 0;
}

int ShowPanel() {
  DrawImage(Editor, 641, 0);
  DrawImage(Editor2, 0, 490);
  return 0;
}

void RenderEnemies() {
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    if (e->OriginRoomX == RoomX && e->OriginRoomY == RoomY)
      DrawImage(Enemiesprite, e->x * kCell, e->y * kCell, e->frame);
  }
}

std::string Input(const std::string& prompt) {
  const int w = media::GraphicsWidth(), h = media::GraphicsHeight();
  media::Image copy = media::CreateImage(w, h);
  media::GrabImage(copy, 0, 0);
  std::string text;
  for (;;) {
    DrawImage(copy, 0, 0);
    media::SetColor(0, 0, 0);
    media::DrawRect(0, 0, 512, static_cast<float>(media::TextHeight("|")));
    media::SetColor(255, 255, 255);
    media::DrawText(prompt + text, 0, 0);
    if (media::KeyHit(media::KEY_BACKSPACE)) {
      if (text.size() >= 2)
        text.pop_back();
      else
        text.clear();
    }
    const int ch = media::GetChar();
    if (ch > 32) text += static_cast<char>(ch);
    if (media::KeyHit(media::KEY_ENTER)) return text;
    media::Flip(-1);
  }
}

bool IsYes(const std::string& reply) {
  return media::Lower(reply) == "y";
}
