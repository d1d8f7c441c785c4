#include "front/instructions.h"

#include "core/draw.h"
#include "core/globals.h"
#include "core/text.h"
#include "front/front_globals.h"
#include "media/media.h"

namespace {

void DrawKeyLegend() {
  DisplayText(media::Upper(Lang[62]), 5, 10, 0, 1);
  DisplayText(media::Upper(Lang[63]), 5, 30, 0, 0);
  DisplayText(media::Upper(Lang[64]), 5, 50, 0, 0);
  DisplayText(media::Upper(Lang[65]), 360, 10, 0, 1);
  DisplayText(media::Upper(Lang[66]), 360, 30, 0, 0);
  DisplayText(media::Upper(Lang[67]), 360, 50, 0, 0);
}

void DrawLegendPage() {
  static const int kItemY[7] = {70, 118, 166, 214, 262, 310, 358};
  static const int kCaptionY[7] = {90, 138, 182, 230, 278, 326, 374};
  for (int k = 0; k < 7; ++k) {
    DrawImage(ItemSprite, 5, kItemY[k], 1 + 8 * k);
    DisplayText(media::Upper(Lang[68 + k]), 50, kCaptionY[k], 0, 1);
  }
  DrawImage(XDoor, -50, 400, 31);
  DrawImage(Doors, 0, 468, 0);
  DrawImage(Doors, 0, 520, 12);
  DisplayText(media::Upper(Lang[75]), 50, 430, 0, 1);
  DisplayText(media::Upper(Lang[76]), 50, 488, 0, 1);
  DisplayText(media::Upper(Lang[77]), 50, 540, 0, 1);

  struct Row {
    const media::Image* image;
    int cell, pictureY, line, captionY;
  };
  const Row rows[9] = {
      {&Enemiesprite, 22, 70, 78, 90},   {&Enemiesprite, 24, 118, 79, 138},
      {&Enemiesprite, 26, 166, 80, 182}, {&Enemiesprite, 17, 215, 81, 230},
      {&ItemSprite, 63, 265, 82, 278},   {&Bricks, 18, 325, 83, 330},
      {&Bricks, 0, 375, 84, 380},        {&Bricks, 1, 425, 85, 425},
      {&Bricks, 2, 473, 86, 475},
  };
  for (const Row& r : rows) {
    DrawImage(*r.image, 450, r.pictureY, r.cell);
    DisplayText(media::Upper(Lang[r.line]), 490, r.captionY, 0, 1);
  }
}

// A text page: txt[0] is the heading, txt[1..lines] the lines.
void DrawTextPage(int firstLine, int lines) {
  for (int k = 0; k <= lines; ++k) txt[k] = Lang[firstLine + k];
  DisplayText(media::Upper(txt[0]), 0, 90, 1, 1);
  for (int k = 1; k <= lines; ++k) DrawBmpFont(txt[k], 6, 121 + 25 * (k - 1), 0, 0);
}

}  // namespace

int Instructions() {
  if (media::KeyHit(media::KEY_ESCAPE)) return 0;
  InstructionPage = 0;
  int& page = InstructionPage;
  for (;;) {
    media::Cls();
    int r, g, b;
    media::GetColor(r, g, b);
    media::SetColor(255, 255, 255);
    media::TileImage(Back, 0, 0, 9);
    media::SetColor(r, g, b);
    DrawKeyLegend();
    const int space = media::KeyHit(media::KEY_SPACE);
    const int click = media::MouseHit(1);
    if (space || click) page = (page + 1) % 3;
    if (page == 0) {
      DrawLegendPage();
    } else if (page == 1) {
      DrawTextPage(87, 18);
    } else {
      DrawTextPage(106, 13);
    }
    pausecounter = (pausecounter + 1) % 1000;
    if (pausecounter < 975) DisplayText(media::Upper(Lang[120]), 0, 580, 1, 0);
    media::Flip(-1);
    media::Delay(DelayTime);
    if (media::KeyHit(media::KEY_ESCAPE)) return 0;
  }
}
