// The text readers: the language files (Lang.txt and quit.txt) and keys.cfg.
//
// Language input: byte 0 picks the language (its value mod 6: 0 and 5 name none), byte 1 the
// length of quit.txt's part; quit.txt holds the next bytes, Lang.txt the rest.
#include <algorithm>

#include "core/globals.h"
#include "core/settings.h"
#include "front/front_globals.h"
#include "front/keys.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"

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
  // Every key code finds the name of the first row that holds its text.
  for (int code = -1; code <= 260; code++) {
    std::string want;
    for (int row = 100; row >= 0; row--)
      if (arrKeyMap[row][0] == std::to_string(code)) want = arrKeyMap[row][1];
    FUZZ_CHECK(kName, fnFindKey(code) == want, "fnFindKey gives the first row's name");
  }
  return 0;
}

}  // namespace fuzz
