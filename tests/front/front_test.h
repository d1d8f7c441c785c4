// Shared set-up for the front-end tests: a temporary start folder with our own small language
// files, the headless backend with every global reset, and a driver that acts on chosen frames.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fronttest {

// Thrown by the end-of-program handler the tests install, instead of leaving the process.
struct ProgramEnded {};

// The language line n of the test files of a language: "<tag> LINE <n>" with tag EN, FR, GR, IT.
std::string LineOf(int language, int n);

class FrontTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a file of the start folder (folders made as needed).
  void WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes);
  void WriteText(const std::string& name, const std::string& text);
  std::vector<unsigned char> ReadBytes(const std::string& name);
  bool Exists(const std::string& name);
  // The four test language files (177 lines each) and their quit.txt files.
  void WriteLanguageFiles();

  // Runs `body` with an OnFlip callback that calls `onFlip(frame)` and stops the run when it
  // returns false (or after maxFrames). Returns true when the run was stopped by the callback,
  // false when `body` returned by itself; ProgramEnded passes through.
  bool Run(const std::function<void()>& body, const std::function<bool(int)>& onFlip,
           int maxFrames = 20000);

  // Runs the whole program; `atTitle(n)` is called on the n-th frame (from 0) shown with
  // Game->State 31 after start-up, and stops the run by returning false.
  bool RunGame(const std::function<bool(int)>& atTitle, int maxFrames = 20000);

  std::filesystem::path dir_;
  std::filesystem::path oldDir_;
};

// Loads the pictures and sounds the screens draw (the first part of start-up without the
// screens): the built-in files registered, objects made, window open, fonts and images loaded.
void LoadForScreens();

}  // namespace fronttest
