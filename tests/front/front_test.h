// Shared set-up of the front-end tests: a temporary start folder, the headless backend with every
// global reset, our own small language files, and a driver that plays an input script and reads
// chosen values after chosen frames.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace fronttest {

using Bytes = std::vector<unsigned char>;
// Values read after a frame, by frame number.
using Trace = std::map<int, std::vector<int>>;
using Probe = std::function<std::vector<int>()>;

// Thrown by the end-of-program handler the tests install, instead of leaving the process.
struct ProgramEnded {};

// Line n of our test language file of a language: "<EN|FR|GR|IT> LINE <n>".
std::string LineOf(int language, int n);
// The shown screen's pixel, made opaque.
unsigned At(int x, int y);
// Loads the pictures and sounds the screens draw, as start-up does, without running it.
void LoadForScreens();

class FrontTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void Write(const std::string& name, const Bytes& bytes);
  void Write(const std::string& name, const std::string& text);
  Bytes Read(const std::string& name);
  // The four test language files (177 lines each) and their quit.txt ("yes", "no").
  void WriteLanguageFiles();

  // Runs `body` calling onFlip(n) after its n-th frame (from 0) until it returns false; returns
  // the frames shown. ProgramEnded passes through.
  int Run(const std::function<void()>& body, const std::function<bool(int)>& onFlip);
  // Runs `body` and plays `script` (the headless runner's lines; the events of frame n arrive
  // after the body's frame n, once `probe` has been read there when `want` names n). Stops after
  // frame `until` (-1: the last frame `want` names); returns what was read. shown_ is the frames
  // shown. Frames for which `counts` (when given) is false are not counted.
  Trace Play(const std::function<void()>& body, const std::string& script, const Probe& probe,
             const Trace& want, int until = -1, const std::function<bool()>& counts = nullptr);
  // The same over the whole program, counting the frames shown on the title screen.
  Trace PlayGame(const std::string& script, const Probe& probe, const Trace& want, int until = -1);

  quill_test::TempFolder folder_;  // the start folder, entered for the test's life
  std::filesystem::path dir_ = folder_.path();
  int shown_ = 0;
  Trace traced_;  // what the last Play read, also when the program ended
};

}  // namespace fronttest
