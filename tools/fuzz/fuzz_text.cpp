// The text readers: the language files (Lang.txt and quit.txt), keys.cfg, the headless runner's
// input scripts (what is taken is a list of events each inside its kind's range; what is refused
// names its line and gives no events) and the stage compiler's sources (what it takes, the stage
// reader takes too, and writing it out again gives the same stage back).
//
// Language input: byte 0 picks the language (its value mod 6: 0 and 5 name none), byte 1 the
// length of quit.txt's part; quit.txt holds the next bytes, Lang.txt the rest.
#include <algorithm>

#include "core/globals.h"
#include "core/settings.h"
#include "front/front_globals.h"
#include "front/keys.h"
#include "media/headless.h"
#include "media/input.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"
#include "tools/stagec/source.h"

namespace fuzz {
namespace {

// The lines of a text file as the game reads them: ended by a line feed, a zero byte or the end;
// carriage returns dropped. Reading past the end gives empty lines.
class Lines {
 public:
  Lines(const std::uint8_t* data, std::size_t size) : at_(data), end_(data + size) {}
  bool AtEnd() const { return at_ >= end_; }
  std::string Next() {
    std::string line;
    while (at_ < end_ && *at_ != '\n' && *at_ != 0)
      if (*at_++ != '\r') line.push_back(static_cast<char>(at_[-1]));
    at_ += at_ < end_;
    return line;
  }

 private:
  const std::uint8_t* at_;
  const std::uint8_t* end_;
};

std::string AnswerCode(const std::string& line) {
  return line.empty() ? "-1" : std::to_string(std::toupper(static_cast<unsigned char>(line[0])));
}

}  // namespace

int FuzzLanguage(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  constexpr const char* kName = "language";
  FreshWorld();
  const int language = size > 0 ? data[0] % 6 : 1;
  const std::size_t quitSize = size > 1 ? std::min<std::size_t>(data[1], size - 2) : 0;
  const std::uint8_t* quit = data + std::min<std::size_t>(size, 2);
  const std::uint8_t* lang = quit + quitSize;
  const std::size_t langSize = size - (lang - data);
  const std::string langFile = LangFileFor(language);
  FUZZ_CHECK(kName, langFile.empty() == (language < 1 || language > 4), "language files");
  if (!langFile.empty()) {
    WriteRootFile(QuitFileFor(language), quit, quitSize);
    WriteRootFile(langFile, lang, langSize);
  }
  for (int i = 0; i < 186; i++) Lang[i] = "before " + std::to_string(i);
  yes = "y0";
  no = "n0";
  ReadLanguage(language);
  SetTaken(Lang[0] != "before 0");
  Lines q(quit, quitSize), l(lang, langSize);
  const std::string wantYes = langFile.empty() ? "y0" : AnswerCode(q.Next());
  FUZZ_CHECK(kName, yes == wantYes && no == (langFile.empty() ? "n0" : AnswerCode(q.Next())),
             "quit.txt answers");
  for (int i = 0; i < 186; i++)  // lines 0 to 176 from the file, the rest left alone
    FUZZ_CHECK(kName,
               Lang[i] == (i < 177 && !langFile.empty() ? l.Next() : "before " + std::to_string(i)),
               "Lang line " + std::to_string(i) + " is the file's");
  return 0;
}

int FuzzKeys(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  constexpr const char* kName = "keys";
  FreshWorld();
  for (int r = 0; r <= 100; r++) arrKeyMap[r][0] = arrKeyMap[r][1] = "k" + std::to_string(r);
  WriteRootFile("keys.cfg", data, size);
  fnLoadKeyMapData();
  SetTaken(arrKeyMap[1][0] != "k1");
  Lines lines(data, size);
  for (int r = 0; r <= 100; ++r) {
    std::string code = "k" + std::to_string(r), name = code;
    if (r > 0 && !lines.AtEnd()) {
      const std::string line = lines.Next();
      const std::size_t comma = line.find(',');
      code = comma == std::string::npos ? line : line.substr(comma + 1);
      name = comma == std::string::npos ? "" : line.substr(0, comma);
    }
    FUZZ_CHECK(kName, arrKeyMap[r][0] == code && arrKeyMap[r][1] == name, "row is the file's line");
  }
  return 0;
}

int FuzzScript(const std::uint8_t* data, std::size_t size) {
  constexpr const char* kName = "script";
  using E = media::headless::InputEvent;
  std::vector<E> events = {E{}};  // anything before is replaced
  std::string error = "old";
  SetTaken(media::headless::ParseScript(std::string(data, data + size), events, error));
  if (!LastTaken()) {
    FUZZ_CHECK(kName, error.rfind("line ", 0) == 0 && events.empty(), "a refusal names its line");
    return 0;
  }
  FUZZ_CHECK(kName, error.empty(), "a taken script has no error");
  std::size_t typed = 0;
  for (const E& e : events) {
    const int c = e.code;
    const bool ok = e.kind == E::KeyDown || e.kind == E::KeyUp ? c >= 0 && c < media::KEY_COUNT
                    : e.kind == E::ButtonDown || e.kind == E::ButtonUp       ? c >= 1 && c <= 3
                    : e.kind == E::JoyButtonDown || e.kind == E::JoyButtonUp ? c >= 0 && c < 32
                    : e.kind == E::JoyAxis                                   ? c == 0 || c == 1
                    : e.kind == E::Type                                      ? c >= 0 && c <= 255
                                        : e.kind == E::MouseMove;
    FUZZ_CHECK(kName, ok && e.frame >= 0, "event " + std::to_string(e.kind) + " in its range");
    typed += e.kind == E::Type;
  }
  FUZZ_CHECK(kName, typed <= size, "no more typed characters than bytes");
  return 0;
}

int FuzzStageSource(const std::uint8_t* data, std::size_t size) {
  constexpr const char* kName = "stagesource";
  stagefile::Data d, decoded, again;
  std::string error;
  SetTaken(stagec::Parse(std::string(data, data + size), d, error));
  if (!LastTaken()) {
    FUZZ_CHECK(kName, error.rfind("line ", 0) == 0, "an error names its line");
    return 0;
  }
  const std::vector<unsigned char> bytes = stagefile::Encode(d);
  FUZZ_CHECK(kName, stagefile::Decode(bytes, decoded).ok(), "the stage reader takes it");
  // A room listed twice has one cell block: the size counts the distinct rooms.
  std::size_t distinct = 0;
  for (int ry = 0; ry < 6; ry++)
    for (int rx = 0; rx < 6; rx++) distinct += d.RoomExists(rx, ry) ? 1 : 0;
  const std::size_t rooms = d.roomRecords.size();
  FUZZ_CHECK(
      kName,
      bytes.size() + 768 * (rooms - distinct) ==
          stagefile::FileSize(static_cast<int>(rooms), static_cast<int>(d.enemies.size()),
                              static_cast<int>(d.traps.size()), static_cast<int>(d.items.size()),
                              static_cast<int>(d.statues.size())),
      "the file has the layout's size");
  FUZZ_CHECK(kName,
             stagec::Parse(stagec::Write(d), again, error) && stagefile::Encode(again) == bytes,
             "its text gives the same stage: " + error);
  return 0;
}

}  // namespace fuzz
