// Shared set-up for the editor tests: the headless world with its pictures and tables, a start
// folder of our own (Levels/ with stage 1 and its replay, PlayerLevels/), the editor's state.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace editortest {

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `body` with the script (the runner's format) and the console answers until it
  // returns or `frames` frames were shown. True when the frame count stopped it.
  bool Drive(const std::function<void()>& body, const std::string& script,
             std::vector<std::string> console = {}, int frames = 100000);
  // Runs `body` (a question) typing `reply` one character a frame, then Enter.
  void Answer(const std::function<void()>& body, const std::string& reply,
              std::vector<std::string> console = {});

  std::vector<unsigned char> Bytes(const std::string& relative);
  void Write(const std::string& relative, const std::vector<unsigned char>& bytes);

  std::filesystem::path root_, start_;
};

}  // namespace editortest
