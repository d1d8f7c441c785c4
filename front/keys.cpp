#include "front/keys.h"

#include "core/draw.h"
#include "core/globals.h"
#include "front/front_globals.h"
#include "media/media.h"

int fnLoadKeyMapData() {
  media::Stream in = media::ReadFile("keys.cfg");
  if (!in) return 0;
  for (int r = 1; r <= 100 && !media::Eof(in); ++r) {
    const std::string line = media::ReadLine(in);
    const int p = media::Instr(line, ",");
    arrKeyMap[r][1] = p > 0 ? media::Left(line, p - 1) : "";
    arrKeyMap[r][0] = p > 0 ? media::Mid(line, p + 1) : line;
  }
  media::CloseFile(in);
  return 0;
}

std::string fnFindKey(int code) {
  const std::string text = media::Str(code);
  for (int row = 0; row <= 100; ++row) {
    if (arrKeyMap[row][0] == text) return arrKeyMap[row][1];
  }
  return "";
}

int GoGetKey() {
  bool refused = false;
  for (int i = 0; i <= 212; ++i) {
    if (media::KeyHit(media::KEY_ESCAPE)) quit = 1;
    if (!media::KeyHit(i) || refused) continue;
    bool taken = false;
    for (int k = 0; k < 5; ++k) taken = taken || KNO[k] == i;
    if (taken) {
      refused = true;
      continue;
    }
    if (RKey < 5) {
      KNO[RKey] = i;
      KN[RKey] = KN[RKey] + fnFindKey(i);
      ++RKey;
    }
  }
  return 0;
}

int RedfineKeys() {
  fnLoadKeyMapData();
  while (RKey < 5) {
    media::Cls();
    int r, g, b;
    media::GetColor(r, g, b);
    media::SetColor(255, 255, 255);
    media::TileImage(Back, 0, 0, 0);
    media::SetColor(r, g, b);
    GoGetKey();
    const int last = RKey < 4 ? RKey : 4;
    for (int j = 0; j <= last; ++j) {
      const std::string name = media::Upper(KN[j]);
      for (int c = 0; c < static_cast<int>(name.size()); ++c) {
        const int code = static_cast<unsigned char>(name[c]);
        if (code < 32 || code > 90) continue;
        DrawImage(optAlpha2, 146 + 16 * c, 150 + 40 * j, code - 32);
      }
    }
    media::Flip(-1);
  }
  if (quit != 0) {
    quit = 0;
  } else {
    media::Stream out = media::WriteFileSafely("dKeys.cfg");
    if (out) {
      for (int k = 0; k < 5; ++k) media::WriteByte(out, KNO[k] & 255);
      media::CloseFile(out);
    }
  }
  media::Delay(200);
  return 0;
}

std::string InputBitmap(int x, int y, const std::string& prompt, int maxlen) {
  media::FlushKeys();
  std::string text;
  for (;;) {
    media::Cls();
    media::DrawText(prompt + " " + text, static_cast<float>(x), static_cast<float>(y));
    media::Flip(-1);
    const int ch = media::WaitChar();
    if (ch == media::KEY_ESCAPE) {
      text.clear();
    } else if (ch == media::KEY_BACKSPACE) {
      if (!text.empty()) text.pop_back();
    } else if (ch == media::KEY_ENTER) {
      media::FlushKeys();
      return text;
    } else if (static_cast<int>(text.size()) < maxlen) {
      text += static_cast<char>(ch);
    }
  }
}
