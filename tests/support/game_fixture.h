// A test over the headless media layer with the game's globals at their start values, before
// and after each test (for test programs that link the game's core).
#pragma once

#include "core/globals.h"
#include "support/headless_fixture.h"

namespace quill_test {

class GameTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ResetGlobals();
  }
  void TearDown() override {
    ResetGlobals();
    HeadlessTest::TearDown();
  }
};

}  // namespace quill_test
