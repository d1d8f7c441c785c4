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

constexpr int kLangLines = 177;
constexpr int kLangSize = 186;

// The lines of a text file as the game reads them: ended by a line feed, a zero byte or the
// end; carriage returns dropped. Reading past the end gives empty lines.
class Lines {
 public:
  Lines(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool AtEnd() const { return pos_ >= size_; }
  std::string Next() {
    std::string line;
    while (pos_ < size_) {
      std::uint8_t b = data_[pos_++];
      if (b == '\n' || b == 0) break;
      if (b != '\r') line.push_back(static_cast<char>(b));
    }
    return line;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

std::string AnswerCode(const std::string& line) {
  if (line.empty()) return "-1";
  unsigned char c = static_cast<unsigned char>(line[0]);
  if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
  return std::to_string(int(c));
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
  const std::string langFile = LangFileFor(language), quitFile = QuitFileFor(language);
  FUZZ_CHECK(kName, langFile.empty() == (language < 1 || language > 4), "language files");
  if (!langFile.empty()) {
    WriteRootFile(quitFile, quit, quitSize);
    WriteRootFile(langFile, lang, langSize);
  }
  for (int i = 0; i < kLangSize; i++) Lang[i] = "before " + std::to_string(i);
  yes = "y0";
  no = "n0";
  ReadLanguage(language);
  if (langFile.empty()) {
    bool same = yes == "y0" && no == "n0";
    for (int i = 0; i < kLangSize; i++) same = same && Lang[i] == "before " + std::to_string(i);
    FUZZ_CHECK(kName, same, "a language without files reads nothing");
    return 0;
  }
  Lines q(quit, quitSize);
  std::string wantYes = AnswerCode(q.Next());
  std::string wantNo = AnswerCode(q.Next());
  FUZZ_CHECK(kName, yes == wantYes && no == wantNo, "quit.txt answers");
  Lines l(lang, langSize);
  std::size_t total = 0;
  for (int i = 0; i < kLangLines; i++) {
    std::string want = l.Next();
    total += Lang[i].size();
    if (Lang[i] != want) {
      ReportFault(kName, "Lang line " + std::to_string(i) + " is not the file's line");
      break;
    }
    if (Lang[i].find_first_of(std::string("\n\r\0", 3)) != std::string::npos) {
      ReportFault(kName, "a Lang line holds a line end");
      break;
    }
  }
  FUZZ_CHECK(kName, total <= langSize, "the Lang lines hold no more than the file");
  bool untouched = true;
  for (int i = kLangLines; i < kLangSize; i++)
    untouched = untouched && Lang[i] == "before " + std::to_string(i);
  FUZZ_CHECK(kName, untouched, "lines past 176 are left alone");
  return 0;
}

int FuzzKeys(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  constexpr const char* kName = "keys";
  FreshWorld();
  for (int r = 0; r <= 100; r++) arrKeyMap[r][0] = arrKeyMap[r][1] = "k" + std::to_string(r);
  WriteRootFile("keys.cfg", data, size);
  fnLoadKeyMapData();
  Lines lines(data, size);
  int r = 1;
  for (; r <= 100 && !lines.AtEnd(); ++r) {
    std::string line = lines.Next();
    std::size_t comma = line.find(',');
    std::string code = comma == std::string::npos ? line : line.substr(comma + 1);
    std::string name = comma == std::string::npos ? "" : line.substr(0, comma);
    if (arrKeyMap[r][0] != code || arrKeyMap[r][1] != name) {
      ReportFault(kName, "row " + std::to_string(r) + " is not the file's line");
      return 0;
    }
  }
  bool untouched = arrKeyMap[0][0] == "k0";
  for (; r <= 100; ++r) untouched = untouched && arrKeyMap[r][0] == "k" + std::to_string(r);
  FUZZ_CHECK(kName, untouched, "rows the file does not reach are left alone");
  // Every key code finds the name of the first row that holds its text.
  for (int code = -1; code <= 260; code++) {
    std::string text = std::to_string(code), want;
    for (int row = 0; row <= 100; row++)
      if (arrKeyMap[row][0] == text) {
        want = arrKeyMap[row][1];
        break;
      }
    if (fnFindKey(code) != want) {
      ReportFault(kName, "fnFindKey(" + text + ") is not the first matching row's name");
      break;
    }
  }
  return 0;
}

}  // namespace fuzz
