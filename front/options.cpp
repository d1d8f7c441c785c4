#include "front/options.h"

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/settings.h"
#include "core/text.h"
#include "front/front_globals.h"
#include "front/title.h"
#include "media/media.h"

float VolumeDown(float volume) {
  return volume > 0.0f ? volume - 0.1f : volume;
}
float VolumeUp(float volume) {
  const float shown = 10.0f * volume;
  return shown < 10.0f ? volume + 0.1f : volume;
}
int VolumeShown(float volume) {
  const float shown = 10.0f * volume;
  return static_cast<int>(shown);
}

namespace {

struct OptionsState {
  int row = 0;
  float alpha = 0.5f;
  float step = -0.01f;
  int frameCounter = 0;
  std::string difficultyText;
  std::string controlText;
};

void SetMusicVolume(float v) {
  MusicVol = v;
  if (song) media::SetChannelVolume(song, MusicVol);
}

void SetSfxVolume(float v) {
  SfxVol = v;
  if (Sfx) media::SetChannelVolume(Sfx, SfxVol);
}

bool OnFlags(int mx, int my) {
  return mx > 288 && mx <= 479 && my >= 49 && my <= 95;
}

void SelectRow(OptionsState& s, int row) {
  s.row = row;
  PlayMenuSound();
}

void DrawBackground() {
  TitleMenu.driftY = (TitleMenu.driftY + 1) % 96;
  TitleMenu.driftX = (TitleMenu.driftX + 1) % 192;
  int r, g, b;
  media::GetColor(r, g, b);
  media::SetColor(255, 255, 255);
  media::TileImage(Back, static_cast<float>(TitleMenu.driftX), static_cast<float>(TitleMenu.driftY),
                   0);
  media::SetColor(r, g, b);
}

void DrawVeil(OptionsState& s) {
  media::SetBlend(media::ALPHABLEND);
  if (++s.frameCounter > 9) {
    s.frameCounter = 0;
    s.alpha += s.step;
  }
  if (s.alpha >= 0.5f) {
    s.step = -0.01f;
  } else if (s.alpha <= 0.1f) {
    s.step = 0.01f;
  }
  media::SetAlpha(s.alpha);
  media::SetColor(100, 100, 255);
  media::DrawRect(0, 0, 800, 600);
  media::SetAlpha(1.0f);
}

// The label of a row: Option 0, 1, 3, 4, 5, 6 (Lang 17, 18, 20 to 23); its help line: Option
// 8, 9, 11, 12, 13, 14 (Lang 24, 25, 27, 28, 29, 31).
const std::string& RowLabel(int row) {
  static const int kLabel[6] = {0, 1, 3, 4, 5, 6};
  return Option[kLabel[row]];
}
const std::string& RowHelp(int row) {
  static const int kHelp[6] = {8, 9, 11, 12, 13, 14};
  return Option[kHelp[row]];
}

void DrawRows(const OptionsState& s) {
  for (int row = 0; row < 6; ++row) {
    DisplayText(media::Upper(RowLabel(row)), 250, 220 + 40 * row, 0, 1);
  }
  DisplayText(s.difficultyText, 500, 220, 0, 0);
  DisplayText(s.controlText, 500, 260, 0, 0);
  DisplayText(media::Str(VolumeShown(MusicVol)), 460, 300, 0, 1);
  DisplayText(media::Str(VolumeShown(SfxVol)), 460, 340, 0, 1);
  for (int y : {300, 340}) {
    DisplayText("$ #", 500, y, 0, 0);
    Rect(514, y - 2, 20, 20, 0);
    Rect(546, y - 2, 20, 20, 0);
  }
  DisplayText(md, 500, 380, 0, 0);
}

void Activate(OptionsState& s, int mx, int my) {
  switch (s.row) {
    case 0:
      if (Difficulity == 1) {
        Difficulity = 2;
        ShowGrid = 0;
        s.difficultyText = Lang[33];
      } else {
        Difficulity = 1;
        ShowGrid = 1;
        s.difficultyText = Lang[32];
      }
      break;
    case 1:
      if (Control == 0) {
        Control = 1;
        s.controlText = Lang[35];
      } else {
        Control = 0;
        s.controlText = Lang[34];
      }
      break;
    case 2:
      if (mx > 513 && mx <= 568 && my >= 300 && my <= 319) {
        if (mx <= 533 && MusicVol > 0.0f) SetMusicVolume(VolumeDown(MusicVol));
        if (mx > 546 && 10.0f * MusicVol < 10.0f) SetMusicVolume(VolumeUp(MusicVol));
      }
      break;
    case 3:
      if (mx > 513 && mx <= 568 && my >= 340 && my <= 358) {
        if (mx <= 533 && SfxVol > 0.0f) SetSfxVolume(VolumeDown(SfxVol));
        if (mx > 546 && 10.0f * SfxVol < 10.0f) SetSfxVolume(VolumeUp(SfxVol));
      }
      break;
    case 4:
      Mode = (Mode + 1) % 3;
      md = Lang[11 + Mode];
      WritePrefs(Mode);
      break;
    case 5:
      Game->State = GameState::OptionsBack;
      media::FlushKeys();
      break;
    default:
      break;
  }
}

}  // namespace

int OptionsScreen() {
  if (Mode >= 0 && Mode <= 2) md = Lang[11 + Mode];
  for (int i = 0; i <= 6; ++i) Option[i] = Lang[17 + i];
  for (int i = 8; i <= 13; ++i) Option[i] = Lang[16 + i];
  Option[14] = Lang[31];
  media::MoveMouse(318, 228);
  OptionsState s;
  s.difficultyText = Difficulity == 1 ? Lang[32] : Lang[33];
  s.controlText = Control != 0 ? Lang[35] : Lang[34];

  for (;;) {
    if (media::KeyHit(media::KEY_ESCAPE) || Game->State == GameState::OptionsBack) {
      Game->State = GameState::Title;
      tmpMusicVol = MusicVol;
      tmpSfxVol = SfxVol;
      return 0;
    }
    const int my = media::MouseY();
    media::Cls();
    DrawBackground();
    DrawVeil(s);

    if (media::KeyHit(media::KEY_DOWN)) {
      SelectRow(s, s.row == 5 ? 0 : s.row + 1);
      media::MoveMouse(318, 228 + 40 * s.row);
    }
    if (media::KeyHit(media::KEY_UP)) {
      SelectRow(s, s.row == 0 ? 5 : s.row - 1);
      media::MoveMouse(318, 228 + 40 * s.row);
    }
    if (media::KeyHit(media::KEY_RIGHT))
      LangRect = LangRect >= 4 || LangRect < 1 ? 1 : LangRect + 1;
    if (media::KeyHit(media::KEY_LEFT)) LangRect = LangRect <= 1 || LangRect > 4 ? 4 : LangRect - 1;

    DrawImage(Flags, 288, 48, 0);
    media::SetColor(255, 255, 0);
    Rect(240 + 48 * LangRect, 48, 48, 48, 0);
    const int mx = media::MouseX();
    if (OnFlags(mx, my)) {
      media::SetColor(255, 255, 255);
      Rect((mx / 48) * 48, 48, 48, 48, 0);
    }

    DrawRows(s);

    if (mx > 260 && mx <= 595 && my >= 221 && my <= 424) {
      const int row = (my - 220) / 40;
      if (row != s.row) SelectRow(s, row);
    }

    DisplayText(media::Upper(RowLabel(s.row)), 250, 220 + 40 * s.row, 0, 0);
    const std::string& help = RowHelp(s.row);
    DrawBmpFont(help, 390 - media::TextWidth(help) / 2, 150, 0, 0);

    TitleMenu.arrowCounter = (TitleMenu.arrowCounter + 1) % 6;
    if (TitleMenu.arrowCounter == 0) TitleMenu.arrowCell = (TitleMenu.arrowCell + 1) % 10;
    DrawImage(Arrow, 230, 210 + 40 * s.row, TitleMenu.arrowCell);
    DrawImage(ItemSprite, mx, my, 62);

    pausecounter = (pausecounter + 1) % 1000;
    if (pausecounter <= 974) DisplayText(media::Upper(Lang[36]), 0, 580, 1, 0);

    if (media::KeyHit(media::KEY_ESCAPE)) {
      Game->State = GameState::OptionsBack;
      media::FlushKeys();
    }

    const int minus = media::KeyHit(media::KEY_MINUS) | media::KeyHit(media::KEY_NUMSUBTRACT);
    const int plus = media::KeyHit(media::KEY_ENTER) | media::KeyHit(media::KEY_NUMADD);
    if (s.row == 2) {
      if (minus && MusicVol > 0.0f) SetMusicVolume(VolumeDown(MusicVol));
      if (plus && 10.0f * MusicVol < 10.0f) SetMusicVolume(VolumeUp(MusicVol));
    } else if (s.row == 3) {
      if (minus && SfxVol > 0.0f) SetSfxVolume(VolumeDown(SfxVol));
      if (plus && 10.0f * SfxVol < 10.0f) SetSfxVolume(VolumeUp(SfxVol));
    }

    const int space = media::KeyHit(media::KEY_SPACE);
    const int enter = media::KeyHit(media::KEY_ENTER);
    const int click = media::MouseHit(1);
    if (space || enter || click) {
      const int amx = media::MouseX();
      if (OnFlags(amx, my)) {
        LangRect = (amx - 240) / 48;
        WriteCountry(LangRect);
      } else {
        media::FlushKeys();
        media::FlushMouse();
        Activate(s, amx, my);
      }
    }

    media::Flip(-1);
    RenderOverBorders();
    media::Delay(DelayTime);
  }
}
