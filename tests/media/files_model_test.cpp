// Random reads of random files, through a read-only and a read-write stream, against a plain
// model of the bytes: the same values, positions and end-of-file state, never out of bounds.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "media/files.h"
#include "media/headless.h"
#include "media/temp_folder.h"

using namespace media;

namespace {

struct Model {
  std::string bytes;
  std::size_t pos = 0;
  bool past = false;

  int Byte() {
    if (pos >= bytes.size()) {
      past = true;
      return 0;
    }
    return static_cast<unsigned char>(bytes[pos++]);
  }
  int Int() {
    if (bytes.size() - std::min(pos, bytes.size()) < 4) {
      pos = bytes.size();
      past = true;
      return 0;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return static_cast<std::int32_t>(v);
  }
  std::string Line() {
    std::string out;
    for (;;) {
      if (pos >= bytes.size()) {
        past = true;
        return out;
      }
      char c = bytes[pos++];
      if (c == '\n' || c == '\0') return out;
      if (c != '\r') out.push_back(c);
    }
  }
  std::string Str(int n) {
    std::size_t left = bytes.size() - std::min(pos, bytes.size());
    std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), left);
    std::string out = bytes.substr(pos, take);
    pos += take;
    if (take < static_cast<std::size_t>(n)) past = true;
    return out;
  }
  int Eof() const { return past || pos >= bytes.size() ? 1 : 0; }
};

void Check(const Stream& s, Model m, std::mt19937& rng) {
  for (int step = 0; step < 200; ++step) {
    switch (rng() % 5) {
      case 0:
        ASSERT_EQ(ReadByte(s), m.Byte()) << step;
        break;
      case 1:
        ASSERT_EQ(ReadInt(s), m.Int()) << step;
        break;
      case 2:
        ASSERT_EQ(ReadLine(s), m.Line()) << step;
        break;
      case 3: {
        int n = static_cast<int>(rng() % 9);
        ASSERT_EQ(ReadString(s, n), m.Str(n)) << step;
        break;
      }
      default: {
        int to = static_cast<int>(rng() % (m.bytes.size() + 3));
        SeekStream(s, to);
        m.pos = std::min<std::size_t>(static_cast<std::size_t>(to), m.bytes.size());
        m.past = false;
      }
    }
    ASSERT_EQ(StreamPos(s), static_cast<int>(m.pos)) << step;
    ASSERT_EQ(Eof(s), m.Eof()) << step;
  }
}

}  // namespace

TEST(FilesModel, RandomReadsMatchTheBytes) {
  quill_test::TempFolder t;
  std::mt19937 rng(1234);
  const char alphabet[] = {'a', 'b', '\n', '\r', '\0', '\xff', '7'};
  for (int round = 0; round < 60; ++round) {
    std::string bytes;
    std::size_t size = rng() % 40;
    for (std::size_t i = 0; i < size; ++i) bytes.push_back(alphabet[rng() % sizeof(alphabet)]);
    quill_test::WriteBytes("f.bin", bytes);
    Model m;
    m.bytes = bytes;
    Stream r = ReadFile("f.bin");
    ASSERT_NE(r, nullptr);
    Check(r, m, rng);
    Stream rw = OpenFile("f.bin");
    ASSERT_NE(rw, nullptr);
    Check(rw, m, rng);
    EXPECT_TRUE(CloseFile(rw));
    EXPECT_EQ(quill_test::ReadBytes("f.bin"), bytes);  // reading changed nothing
  }
}

TEST(FilesModel, RandomScriptsParseOrNameTheirBadLine) {
  std::mt19937 rng(99);
  const char* words[] = {"0",     "12",    "-1",     "key", "down",         "up",  "press", "type",
                         "mouse", "click", "button", "joy", "axis",         "x",   "RIGHT", "#",
                         "\n",    "\r\n",  " ",      "\t",  "999999999999", "F13", "3"};
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    int n = static_cast<int>(rng() % 12);
    for (int i = 0; i < n; ++i) {
      text += words[rng() % (sizeof(words) / sizeof(words[0]))];
      text += ' ';
    }
    std::vector<headless::InputEvent> out;
    std::string error;
    if (headless::ParseScript(text, out, error)) {
      EXPECT_TRUE(error.empty());
      for (const auto& e : out) EXPECT_GE(e.frame, 0);
    } else {
      EXPECT_EQ(error.rfind("line ", 0), 0u) << text;
      EXPECT_TRUE(out.empty());
    }
  }
}
