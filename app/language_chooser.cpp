#include "app/startup.h"
#include "core/draw.h"
#include "core/globals.h"
#include "media/media.h"

int ChooseLanguage() {
  int language = 0;
  while (language == 0) {
    if (media::KeyHit(media::KEY_ESCAPE)) language = 1;
    Rect(0, 0, 799, 599, 0);
    media::DrawImage(Flags, 300, 275);
    if (media::KeyHit(media::KEY_RIGHT)) LangRect = LangRect >= 4 ? 1 : LangRect + 1;
    if (media::KeyHit(media::KEY_LEFT)) {
      LangRect = LangRect - 1;
      if (LangRect <= 0) LangRect = 4;
    }
    const int space = media::KeyHit(media::KEY_SPACE);
    const int enter = media::KeyHit(media::KEY_ENTER);
    if (space || enter) language = LangRect;
    Rect(252 + 48 * LangRect, 275, 48, 48, 0);
    media::Flip(-1);
    media::Cls();
  }
  return language;
}
