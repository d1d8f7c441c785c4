#include "editor/filesel.h"

#include <algorithm>
#include <utility>

#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "editor/save.h"
#include "media/media.h"

std::string file_list[kMaxListedFiles];
int file_type[kMaxListedFiles];
int file_size[kMaxListedFiles];
int file_count = 0, file_pointer = 0;

namespace {

std::string Before(const std::string& s, char sep) {
  const auto at = s.find(sep);
  return at == std::string::npos ? s : s.substr(0, at);
}

std::string AfterFirstDot(const std::string& s) {
  const auto at = s.find('.');
  return at == std::string::npos ? s : s.substr(at + 1);
}

}  // namespace

int grab_files(const std::string& path, const std::string& filter) {
  media::Dir dir = media::ReadDir(path);
  file_count = 0;
  if (!dir) return 0;
  const std::string ext = Before(filter, ':');
  int n = 0;
  for (std::string name = media::NextFile(dir); !name.empty() && n < kMaxListedFiles;
       name = media::NextFile(dir)) {
    const int type = media::FileType(path + name);
    if (AfterFirstDot(name) == ext || type == 2 || filter.empty()) {
      file_list[n] = name;
      file_type[n] = type;
      file_size[n] = static_cast<int>(media::FileSize(path + name));
      ++n;
    }
    media::Print("hax");
  }
  media::Print("FINISHED FIRST LOOP");
  file_count = n;
  file_pointer = 0;
  for (bool swapped = n > 1; swapped;) {
    swapped = false;
    for (int i = 0; i + 1 < n; ++i) {
      if (media::Upper(file_list[i]) <= media::Upper(file_list[i + 1])) continue;
      std::swap(file_list[i], file_list[i + 1]);
      std::swap(file_type[i], file_type[i + 1]);
      std::swap(file_size[i], file_size[i + 1]);
      swapped = true;
    }
    media::Print("yo");
  }
  media::CloseDir(dir);
  return 0;
}

int show_text8(int, int, const std::string& text) {
  for (char ch : text) (void)ch;
  return 0;
}

std::string shorten(const std::string& path) {
  media::Print(path);
  std::string s = path;
  if (!s.empty()) s = media::Upper(s.substr(0, 1)) + s.substr(1);
  if (s.size() < 35) return s;
  for (int pos = static_cast<int>(s.size()) - 2; pos >= 0; --pos) {
    media::Print(std::to_string(pos));
    if (s[pos] != '\\' && s[pos] != '/') continue;
    std::string out = s.substr(0, 3) + ".." + s.substr(pos);
    return out.size() >= 35 ? out.substr(0, 34) : out;
  }
  // No separator: the path cut to the length the display takes.
  return s.substr(0, 34);
}

std::string fsinp(int x, int y, std::string text, const std::string& allowed, int maxlen,
                  int centreX, int centreY, int upper) {
  if (centreX != 0) x -= maxlen * 4;
  if (centreY != 0) y -= 4;
  media::FlushKeys();
  int cursor = static_cast<int>(text.size());
  for (;;) {
    const int w = maxlen * 8 + 4;
    media::SetColor(0, 0, 0);
    media::DrawRect(x - 2, y - 2, w, 12);
    media::SetColor(255, 255, 255);
    Line(x - 2, y - 2, x - 2 + w, y - 2);
    Line(x - 2 + w, y - 2, x - 2 + w, y + 10);
    Line(x - 2 + w, y + 10, x - 2, y + 10);
    Line(x - 2, y + 10, x - 2, y - 2);
    show_text8(x, y, text);
    if (cursor < maxlen) Rect(x + cursor * 8, y, 8, 8);
    media::Flip(-1);
    int key = media::WaitKey();
    if (key >= 97 && key <= (upper & 122)) key -= 32;
    const int len = static_cast<int>(text.size());
    if (key > 0 && key < 256 && allowed.find(static_cast<char>(key)) != std::string::npos) {
      if (len < maxlen) text.insert(text.begin() + cursor++, static_cast<char>(key));
    } else if (key == 8 && cursor > 0) {
      text.erase(text.begin() + --cursor);
    } else if (key == 4 && cursor < len) {
      text.erase(text.begin() + cursor);
    } else if (key == 27) {
      text.clear();
      cursor = 0;
    } else if (key == 31 && cursor > 0) {
      --cursor;
    } else if (key == 30 && cursor < len) {
      ++cursor;
    } else if (key == 13) {
      media::FlushKeys();
      return text;
    }
  }
}

std::string fileselect(const std::string& title, int, const std::string&, const std::string&, int,
                       int, int) {
  return media::RequestFile(title);
}

int Load() {
  EditorLoad();
  return 0;
}

int RenderPlayer() {
  if (Player->RoomX == RoomX && Player->RoomY == RoomY && Player->Exist == 1)
    DrawImage(PlayerSprite, Player->X * kCell, Player->Y * kCell, Player->Frame);
  return 0;
}
