#include "app/state_machine.h"
#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/text.h"
#include "media/media.h"

void GameOverPage() {
  if (song) media::StopChannel(song);
  for (;;) {
    const int escape = media::KeyHit(media::KEY_ESCAPE);
    const int space = media::KeyHit(media::KEY_SPACE);
    if (escape || space) break;
    media::Cls();
    DisplayText(media::Upper(Lang[50]), 0, 300, 1, 1);
    media::Flip(-1);
    RenderOverBorders();
    media::Delay(DelayTime);
  }
  media::FlushKeys();
  User = 0;
  Game->State = GameState::Title;
  if (Sfx) media::StopChannel(Sfx);
}
