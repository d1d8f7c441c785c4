// Text and number helpers.
#include "media/text.h"

#include <gtest/gtest.h>

using namespace media;

TEST(Text, UpperLowerTouchOnlyAsciiLetters) {
  EXPECT_EQ(Upper("Stage 12: go!"), "STAGE 12: GO!");
  EXPECT_EQ(Lower("ABC xyz [\xc9]"), "abc xyz [\xc9]");
  EXPECT_EQ(Upper(""), "");
}

TEST(Text, TrimDropsSpacesAndControlCharacters) {
  EXPECT_EQ(Trim("  \t hello world\r\n "), "hello world");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("x"), "x");
}

TEST(Text, LeftRightMidCountFromOne) {
  EXPECT_EQ(Left("Quillmire", 5), "Quill");
  EXPECT_EQ(Left("abc", 10), "abc");
  EXPECT_EQ(Left("abc", 0), "");
  EXPECT_EQ(Left("abc", -2), "");
  EXPECT_EQ(Right("Quillmire", 4), "mire");
  EXPECT_EQ(Right("abc", 9), "abc");
  EXPECT_EQ(Right("abc", -1), "");
  EXPECT_EQ(Mid("Quillmire", 1, 5), "Quill");
  EXPECT_EQ(Mid("Quillmire", 6), "mire");
  EXPECT_EQ(Mid("Quillmire", 6, 100), "mire");
  EXPECT_EQ(Mid("abc", 4), "");
  EXPECT_EQ(Mid("abc", 99, 1), "");
  EXPECT_EQ(Mid("abc", 0, 2), "a");  // position 0 is before the first character
  EXPECT_EQ(Mid("abc", 2, 0), "");
  EXPECT_EQ(Mid("abc", -2147483647 - 1, 2147483647), "");
  EXPECT_EQ(Mid("abc", -1, 5), "abc");
}

TEST(Text, InstrFindsFromAStartPosition) {
  EXPECT_EQ(Instr("a.b.c", "."), 2);
  EXPECT_EQ(Instr("a.b.c", ".", 3), 4);
  EXPECT_EQ(Instr("a.b.c", ".", 5), 0);
  EXPECT_EQ(Instr("a.b.c", "x"), 0);
  EXPECT_EQ(Instr("abc", "abc"), 1);
  EXPECT_EQ(Instr("abc", "abcd"), 0);
  EXPECT_EQ(Instr("abc", "c", -4), 3);
  EXPECT_EQ(Instr("abc", ""), 0);
  EXPECT_EQ(Instr("", "a"), 0);
}

TEST(Text, StrAscChr) {
  EXPECT_EQ(Str(0), "0");
  EXPECT_EQ(Str(-1234), "-1234");
  EXPECT_EQ(Str(0.5f), "0.5");
  EXPECT_EQ(Str(1.0f), "1.0");
  EXPECT_EQ(Str(-2.25f), "-2.25");
  EXPECT_EQ(Asc("A"), 65);
  EXPECT_EQ(Asc("\xff"), 255);
  EXPECT_EQ(Asc(""), -1);
  EXPECT_EQ(Chr(65), "A");
  EXPECT_EQ(Chr(0).size(), 1u);
  EXPECT_EQ(Asc(Chr(200)), 200);
}

TEST(Text, AbsSinCos) {
  EXPECT_EQ(Abs(-5), 5);
  EXPECT_EQ(Abs(7), 7);
  EXPECT_EQ(Abs(-2.5f), 2.5f);
  EXPECT_NEAR(Sin(90), 1.0f, 1e-6);
  EXPECT_NEAR(Sin(30), 0.5f, 1e-6);
  EXPECT_NEAR(Cos(180), -1.0f, 1e-6);
  EXPECT_NEAR(Cos(90), 0.0f, 1e-6);
}

TEST(Text, RndIsUniformInItsRangeAndRepeatsAfterSeedRnd) {
  SeedRnd(42);
  std::vector<double> first;
  for (int i = 0; i < 1000; ++i) first.push_back(Rnd(-3, 5));
  SeedRnd(42);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(Rnd(-3, 5), first[static_cast<std::size_t>(i)]);
  int buckets[8] = {};
  for (double v : first) {
    ASSERT_GE(v, -3.0);
    ASSERT_LT(v, 5.0);
    ++buckets[static_cast<int>(v + 3)];
  }
  for (int b : buckets) {
    EXPECT_GT(b, 80);  // 125 expected in each
    EXPECT_LT(b, 170);
  }
  SeedRnd(43);
  EXPECT_NE(Rnd(-3, 5), first[0]);
  double u = Rnd();
  EXPECT_GE(u, 0.0);
  EXPECT_LT(u, 1.0);
}
