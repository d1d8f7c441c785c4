#include "core/settings.h"

#include "core/globals.h"
#include "media/files.h"
#include "media/text.h"

int Language;
std::string yes, no;

namespace {

void ResetSettingsGlobals() {
  Language = 0;
  yes.clear();
  no.clear();
}
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetSettingsGlobals);

// Writes one byte into `name` through a temporary file; false when anything failed.
bool WriteOneByte(const std::string& name, int value) {
  media::Stream out = media::WriteFileSafely(name);
  if (!out) return false;
  media::WriteByte(out, value & 255);
  return media::CloseFile(out);
}

void SetModeLabel() {
  md = Lang[11 + Mode];
}

}  // namespace

void ReadPrefs() {
  media::Stream in = media::OpenFile("prefs.ini");
  Mode = in ? media::ReadByte(in) : -1;
  if (in) media::CloseFile(in);
  // A missing file, or a damaged one whose byte is no display mode, is made anew holding 0.
  if (Mode < 0 || Mode > 2) {
    WriteOneByte("prefs.ini", 0);
    Mode = 0;
  }
  SetModeLabel();
}

bool WritePrefs(int mode) {
  return WriteOneByte("prefs.ini", mode);
}

int ReadCountry() {
  media::Stream in = media::OpenFile("Country.ini");
  if (!in) return 0;
  const int language = media::ReadByte(in);
  media::CloseFile(in);
  // A byte that names no language is no choice, as a missing file: the chooser asks again.
  if (language < 0 || language > 4) return 0;
  LangRect = language;
  return language;
}

bool WriteCountry(int language) {
  return WriteOneByte("Country.ini", language);
}

std::string LangFileFor(int language) {
  switch (language) {
    case 1:
      return "Langs/Lang.txt";
    case 2:
      return "Langs/fr/Lang.txt";
    case 3:
      return "Langs/gr/Lang.txt";
    case 4:
      return "Langs/it/Lang.txt";
    default:
      return "";
  }
}

std::string QuitFileFor(int language) {
  switch (language) {
    case 1:
      return "Langs/quit.txt";
    case 2:
      return "Langs/fr/quit.txt";
    case 3:
      return "Langs/gr/quit.txt";
    case 4:
      return "Langs/it/quit.txt";
    default:
      return "";
  }
}

std::string PictureDirFor(int language) {
  switch (language) {
    case 2:
      return "Images/fr/";
    case 3:
      return "Images/gr/";
    case 4:
      return "Images/it/";
    default:
      return "Images/";
  }
}

void ReadLanguage(int language) {
  std::string quitName = QuitFileFor(language);
  if (!quitName.empty()) {
    media::Stream q = media::OpenFile(quitName);
    if (q) {
      yes = media::Str(media::Asc(media::Upper(media::ReadLine(q))));
      no = media::Str(media::Asc(media::Upper(media::ReadLine(q))));
      media::CloseFile(q);
    }
  }
  std::string langName = LangFileFor(language);
  if (langName.empty()) return;
  media::Stream in = media::OpenFile(langName);
  if (!in) return;
  for (int n = 0; n < 177; ++n) Lang[n] = media::ReadLine(in);
  media::CloseFile(in);
}

void ReadPlayed() {
  media::Stream in = media::ReadFile("Played.Bin");
  for (int k = 1; k <= 70; ++k) Played[k] = in ? media::ReadByte(in) : 0;
  if (in) media::CloseFile(in);
}

bool WritePlayed() {
  media::Stream out = media::WriteFileSafely(Path + "Played.Bin");
  if (!out) return false;
  for (int k = 1; k <= 70; ++k) media::WriteByte(out, Played[k] & 255);
  return media::CloseFile(out);
}
