// A test over the headless media layer: the start-up screen (800 x 600 at 60 Hz, drawing state
// reset, black), no input, the virtual clock at 0, before and after each test.
#pragma once

#include <gtest/gtest.h>

#include "media/app.h"
#include "media/headless.h"

namespace quill_test {

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    media::UseHeadlessBackend();
    media::headless::ResetHeadless();
  }
  void TearDown() override { media::headless::ResetHeadless(); }
};

}  // namespace quill_test
