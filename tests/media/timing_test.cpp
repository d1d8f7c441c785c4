// The virtual clock of the headless backend: Flip pacing, Delay, timers.
#include "media/timing.h"

#include <gtest/gtest.h>

#include <limits>

#include "media/graphics.h"
#include "media/headless.h"

using namespace media;

namespace {

class TimingTest : public ::testing::Test {
 protected:
  void SetUp() override { headless::ResetHeadless(); }
  void TearDown() override { headless::ResetHeadless(); }
};

}  // namespace

TEST_F(TimingTest, TheClockStartsAtZeroAndDelayAdvancesIt) {
  EXPECT_EQ(MilliSecs(), 0);
  Delay(250);
  EXPECT_EQ(MilliSecs(), 250);
  Delay(0);
  Delay(-5);
  EXPECT_EQ(MilliSecs(), 250);
  EXPECT_EQ(headless::VirtualMillis(), 250);
}

TEST_F(TimingTest, FlipAt60HzTakes16Or17MsAndASecondFor60Frames) {
  ASSERT_TRUE(Graphics(800, 600, 0, 60));
  int last = MilliSecs();
  for (int i = 0; i < 60; ++i) {
    Flip();
    int step = MilliSecs() - last;
    last = MilliSecs();
    EXPECT_TRUE(step == 16 || step == 17) << "frame " << i << " took " << step;
  }
  EXPECT_EQ(MilliSecs(), 1000);
  EXPECT_EQ(headless::FrameCount(), 60);
  for (int i = 0; i < 600; ++i) Flip();
  EXPECT_EQ(MilliSecs(), 11000);  // no drift
}

TEST_F(TimingTest, FlipWithoutSyncDoesNotWait) {
  ASSERT_TRUE(Graphics(800, 600, 0, 60));
  Flip(0);
  Flip(0);
  EXPECT_EQ(MilliSecs(), 0);
  EXPECT_EQ(headless::FrameCount(), 2);
}

TEST_F(TimingTest, WaitTimerAt150HzTicksFromTheStart) {
  Timer t = CreateTimer(150);
  ASSERT_NE(t, nullptr);
  for (int i = 0; i < 150; ++i) ASSERT_EQ(WaitTimer(t), 1);
  EXPECT_EQ(MilliSecs(), 1000);
  // Time spent elsewhere comes back as several ticks at once.
  Delay(20);  // 1020 ms: ticks 151 to 153 have passed
  EXPECT_EQ(WaitTimer(t), 3);
  EXPECT_EQ(MilliSecs(), 1020);
  EXPECT_EQ(WaitTimer(t), 1);
  EXPECT_EQ(MilliSecs(), 1027);  // tick 154 at 1026.7 ms
}

TEST_F(TimingTest, TimerStartsWhereTheClockIs) {
  Delay(5);
  Timer t = CreateTimer(100);
  EXPECT_EQ(WaitTimer(t), 1);
  EXPECT_EQ(MilliSecs(), 15);
  EXPECT_EQ(CreateTimer(0), nullptr);
  EXPECT_EQ(CreateTimer(-3), nullptr);
  EXPECT_EQ(CreateTimer(1e-30f), nullptr);
  EXPECT_EQ(CreateTimer(1e30f), nullptr);
  EXPECT_EQ(CreateTimer(std::numeric_limits<float>::quiet_NaN()), nullptr);
  EXPECT_EQ(CreateTimer(std::numeric_limits<float>::infinity()), nullptr);
  Timer slow = CreateTimer(0.5f);
  ASSERT_NE(slow, nullptr);
  EXPECT_EQ(WaitTimer(slow), 1);
  EXPECT_EQ(MilliSecs(), 2015);
  EXPECT_EQ(WaitTimer(nullptr), 0);
}

TEST_F(TimingTest, MilliSecsWrapsAt32Bits) {
  Delay(2147483647);
  Delay(2);
  EXPECT_EQ(MilliSecs(), -2147483647);
  EXPECT_EQ(headless::VirtualMillis(), 2147483649LL);
}
