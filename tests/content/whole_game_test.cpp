// The whole game from its title, headless, in a copy of the runnable folder, in every language:
// start a game, choose stage 1, switch it to its solution replay with F8 (found under the
// language's word for a stage) and watch it reach the exit door and mark the stage played. And
// after the last stage's door the game goes back to the title menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/startup.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/app.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/frame.h"
#include "stages/replay.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using media::headless::PressKey;

// The runnable folder's stages, languages and music copied into the current folder, the
// language and a windowed display chosen, and the program's state as at its start.
void StartInACopy(char language) {
  for (const char* sub : {"Langs", "Levels", "Music"})
    fs::copy(fs::path(QUILL_GAME_DIR) / sub, sub, fs::copy_options::recursive);
  std::ofstream("Country.ini", std::ios::binary).put(language);
  std::ofstream("prefs.ini", std::ios::binary).put(1);
  media::UseHeadlessBackend();
  media::headless::ResetHeadless();
  ResetGlobals();
}

TEST(WholeGame, TheSolutionReplayOfStageOneLeavesThroughTheDoorAndMarksItPlayed) {
  for (char language = 1; language <= 4; ++language) {
    SCOPED_TRACE("language " + std::to_string(language));
    quill_test::TempFolder root;
    StartInACopy(language);
    // 0: Enter on the title's first entry, the pointer on the chooser's first button, Enter
    // until stage 1 plays; 1: F8 a moment later; 2: Space until the replay plays; 3: the door.
    int phase = 0, since = 0;
    bool inDoor = false;
    media::headless::OnFlip([&](int frame) {
      if (frame >= 12000 || !Game) return frame < 12000;
      const bool playing = Game->State == 26 && Game->Stage == 1;
      if (phase == 0 && Game->State == 31) {
        if (frame % 10 == 0) PressKey(media::KEY_ENTER);
        media::headless::MoveMouseNow(40, 70);
      } else if (phase == 0 && !playing) {
        if (frame % 20 == 0) PressKey(media::KEY_ENTER);
      } else if (phase == 0) {
        EXPECT_EQ(DemoMode, 0);
        phase = 1, since = frame;
      } else if (phase == 1 && frame - since == 30) {
        PressKey(kKeySolution);
        phase = 2;
      } else if (phase == 2 && playing && DemoMode == 1) {
        phase = 3;
      } else if (phase == 2 && frame % 20 == 0) {
        PressKey(media::KEY_SPACE);
      } else if (phase == 3) {
        inDoor = inDoor || Player->Action == 26;
        return !(inDoor && Game->State != 26);
      }
      return true;
    });
    try {
      _bb_main();
    } catch (const media::headless::Stop&) {
    }
    media::headless::OnFlip(nullptr);
    EXPECT_EQ(phase, 3);
    EXPECT_TRUE(inDoor);
    EXPECT_EQ(ReplayName, Lang[43] + "1");
    EXPECT_EQ(std::vector<int>({Game->State, DemoMode, Played[1]}), std::vector<int>({27, 0, 1}));
    std::ifstream in(root.path() + "/Played.Bin", std::ios::binary);
    EXPECT_EQ(in.get(), 1);
    in.close();
    ResetGlobals();
  }
}

// Stage 70 chosen from the chooser (its button the last of the grid) and switched to its
// solution replay: past its exit door no stage follows, so the title menu comes back, with the
// stage marked played for the chooser and in the progress file.
TEST(WholeGame, AfterTheLastStagesDoorTheTitleMenuComesBackWithTheStagePlayed) {
  quill_test::TempFolder root;
  StartInACopy(1);
  bool inDoor = false, replay = false;
  media::headless::OnFlip([&](int frame) {
    if (frame >= 20000 || !Game) return false;
    if (inDoor) return Game->State != 31;
    if (Game->State != 26 || Game->Stage != 70) {
      media::headless::MoveMouseNow(725, 530);
      if (frame % 20 == 0) PressKey(media::KEY_ENTER);
    } else if (DemoMode == 0 && !replay) {
      PressKey(kKeySolution);
      replay = true;
    }
    inDoor = DemoMode == 1 && Player->Action == 26;
    return true;
  });
  try {
    _bb_main();
  } catch (const media::headless::Stop&) {
  }
  media::headless::OnFlip(nullptr);
  EXPECT_TRUE(inDoor);
  EXPECT_EQ(std::vector<int>({Game->State, DemoMode, Played[70]}), std::vector<int>({31, 0, 70}));
  const std::string played = quill_test::ReadBytes(root.path() + "/Played.Bin");
  EXPECT_EQ(played.size() == 70 ? played[69] : 0, 70);
  ResetGlobals();
}

}  // namespace
