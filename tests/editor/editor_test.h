// Shared set-up for the editor tests: the headless world with its pictures and tables, a start
// folder of our own (Levels/ with stage 1 and its replay, PlayerLevels/), the editor's state.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "editor/editor.h"
#include "media/headless.h"
#include "media/media.h"
#include "support/temp_folder.h"
#include "tools/solc/world.h"

namespace editortest {

namespace hl = media::headless;
using Bytes = std::vector<unsigned char>;

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    solc::SetUpWorld();
    std::string error;
    ASSERT_TRUE(solc::PrepareFolder(root_.string(), QUILL_GAME_DIR "/Levels", 1, true, error));
    ResetEditor();
    media::ChangeDir(FilePath);
    Game->State = GameState::Editor;
    EditMode = 1;
    ClearEditorStage();
  }
  void TearDown() override { hl::OnFlip(nullptr); }

  // Runs `body` with the script (the runner's format) and the console answers until it
  // returns or `frames` frames were shown. True when the frame count stopped it.
  bool Drive(const std::function<void()>& body, const std::string& script,
             std::vector<std::string> console = {}, int frames = 1000) {
    std::vector<hl::InputEvent> events;
    std::string error;
    EXPECT_TRUE(hl::ParseScript(script, events, error)) << error;
    hl::SetScript(events);
    hl::SetConsoleLines(std::move(console));
    const int first = hl::FrameCount();
    hl::OnFlip([&](int frame) { return frame - first < frames; });
    bool stopped = false;
    try {
      body();
    } catch (const hl::Stop&) {
      stopped = true;
    }
    hl::OnFlip(nullptr);
    return stopped;
  }
  Bytes Read(const std::string& relative) {
    const std::string bytes = quill_test::ReadBytes((root_ / relative).string());
    return Bytes(bytes.begin(), bytes.end());
  }
  void Write(const std::string& relative, const Bytes& bytes) {
    quill_test::WriteBytes((root_ / relative).string(), bytes);
  }

  quill_test::TempFolder folder_{false};  // the start folder; the one before comes back after
  std::filesystem::path root_ = folder_.path();
};

}  // namespace editortest
