// The whole program, headless, in a copy of the runnable folder, driven by the script below
// through every screen a player meets. At the end of each step the shown picture is folded into
// a digest and compared with tour_digests.txt (QUILL_UPDATE_TOUR=1 rewrites it); a picture that
// differs is saved as a PNG in the build folder.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/startup.h"
#include "core/globals.h"
#include "core/objects.h"
#include "front_test.h"
#include "media/headless.h"
#include "media/media.h"

namespace {

namespace fs = std::filesystem;
namespace hl = media::headless;

template <int state>
bool In() {
  return Game && Game->State == state;
}
bool StageOneDone() {
  return Played[1] != 0;
}

struct Step {
  const char* name;
  bool (*ready)();     // the step starts once this holds (nullptr: at once)
  int frames;          // frames shown before the picture is taken
  const char* script;  // the runner's script, frames counted from the step's start
};

// Title entries: 0 play, 1 instructions, 2 tutorials, 3 editor, 4 options, 5 quit (rows 44 apart
// from 327). Options rows: 0 difficulty, 1 control, 2 music, 3 effects, 4 display mode, 5 back.
// Pointers stand on the edges of what they point at.
const Step kTour[] = {
    {"language chooser", nullptr, 3, "0 press LEFT\n1 press RIGHT"},
    {"logo", nullptr, 40, "0 press RIGHT\n1 press LEFT\n2 press ENTER"},
    {"title", In<31>, 10, ""},
    {"title keys", nullptr, 4, "0 press DOWN\n1 press DOWN\n2 press UP"},
    {"title pointer", nullptr, 3, "0 mouse 400 589"},
    {"quit dialog", nullptr, 3, "0 press ESC"},
    {"quit dialog no", nullptr, 5, "0 mouse 396 361\n1 click 1"},
    {"instructions legend", nullptr, 3, "0 mouse 400 390\n1 click 1"},
    {"instructions page 2", nullptr, 3, "0 press SPACE"},
    {"instructions page 3", nullptr, 3, "0 click 1"},
    {"instructions back", nullptr, 3, "0 press ESC"},
    {"options", nullptr, 4, "0 mouse 400 520\n1 click 1"},
    {"options difficulty control", nullptr, 8,  // each toggled there and back and there
     "0 press SPACE\n1 press SPACE\n2 press SPACE\n3 press DOWN\n4 press SPACE\n5 press SPACE\n6 "
     "press SPACE"},
    {"options music", nullptr, 7,
     "0 press DOWN\n1 press MINUS\n2 press MINUS\n3 press NUMADD\n4 press ENTER\n5 press ENTER"},
    {"options music buttons", nullptr, 4, "0 mouse 533 308\n1 click 1\n2 mouse 547 308\n3 click 1"},
    {"options effects", nullptr, 4,
     "0 press DOWN\n1 press NUMSUBTRACT\n2 mouse 520 348\n3 click 1"},
    {"options mode", nullptr, 4, "0 press DOWN\n1 press SPACE\n2 press SPACE"},
    {"options flags", nullptr, 6,
     "0 press RIGHT\n1 press UP\n2 press DOWN\n3 mouse 336 70\n4 click 1"},
    {"options back", nullptr, 4, "0 mouse 400 424\n1 click 1"},
    {"level chooser", nullptr, 6, "0 mouse 400 340\n1 click 1\n4 mouse 40 70"},
    {"level chooser keys", nullptr, 4, "0 press RIGHT\n1 press DOWN"},
    {"stage title", nullptr, 6, "0 press UP\n1 press LEFT\n2 press ENTER"},
    {"stage", nullptr, 30, "0 press ENTER"},
    {"pause", nullptr, 4, "0 press F2"},
    {"help", nullptr, 4, "0 press F2\n1 press F1"},
    {"map", nullptr, 4, "0 press F1\n1 press F3"},
    {"death", nullptr, 50, "0 press F3\n20 press F5"},
    {"after a death", In<27>, 10, ""},
    {"last death", nullptr, 40, "0 press ENTER\n6 press ENTER\n30 press F5"},
    {"game over", In<28>, 4, ""},
    {"stage once more", nullptr, 40,
     "0 press ESC\n4 mouse 400 340\n5 click 1\n8 mouse 40 70\n10 press ENTER\n16 press ENTER"},
    {"solution", nullptr, 10, "2 press F8"},
    {"solution plays", nullptr, 60, "0 press SPACE"},
    {"next stage title", StageOneDone, 10, ""},
    {"back to title", nullptr, 4, "0 press ESC"},
    {"stage marked", In<31>, 6, "0 mouse 400 340\n1 click 1\n4 mouse 40 70"},
    {"tutorial chooser", nullptr, 10, "0 press ESC\n2 mouse 400 430\n3 click 1"},
    {"tutorial", nullptr, 60, "0 mouse 40 70\n1 click 1\n5 press ENTER"},
    {"quit from play", nullptr, 3, "0 press ESC"},
    {"quit yes in play", nullptr, 8, "0 mouse 310 390\n1 click 1\n3 press Y"},
    {"editor", nullptr, 10, "0 mouse 400 475\n1 click 1"},
    {"editor placing", nullptr, 12,
     "0 press F1\n1 mouse 100 100\n2 click 1\n3 mouse 200 240\n3 button down 1\n4 mouse 260 240\n4 "
     "button up 1\n3 click 1\n5 press SPACE"},
    {"editor panel", nullptr, 6, "0 mouse 700 100\n1 click 1\n2 mouse 300 300\n3 click 1"},
    {"editor quit", nullptr, 3, "0 press ESC"},
    {"editor left", nullptr, 6, "0 press Y"},
    {"title quit", nullptr, 3, "0 press ESC"},
    {"program ends", nullptr, 100, "0 press Y"},  // the yes ends the program before the picture
};

std::uint64_t Fold(const media::Pixel* p) {
  std::uint64_t h = 14695981039346656037ull;
  for (int i = 0; i < 800 * 600; ++i) h = (h ^ (p[i] & 0xFFFFFFu)) * 1099511628211ull;
  return h;
}

class Tour : public fronttest::FrontTest {};

TEST_F(Tour, EveryScreenShowsWhatItShowedBefore) {
  for (const char* sub : {"Langs", "Levels", "Music"})
    fs::copy(fs::path(QUILL_GAME_DIR) / sub, dir_ / sub, fs::copy_options::recursive);
  Write("prefs.ini", std::string(1, '\1'));
  const fs::path kept = fs::path(QUILL_SOURCE_DIR) / "tests/front/tour_digests.txt";
  const bool update = std::getenv("QUILL_UPDATE_TOUR") != nullptr;
  std::map<std::string, std::string> want;  // step name -> "frame digest"
  std::ifstream in(kept);
  for (std::string line; std::getline(in, line);)
    if (const auto bar = line.find('|'); bar != std::string::npos)
      want[line.substr(0, bar)] = line.substr(bar + 1);
  std::ostringstream got;
  size_t step = 0;
  int start = -1;  // the frame the step started at; -1 while it waits
  hl::OnFlip([&](int frame) {
    if (step + 1 > std::size(kTour) || frame > 40000) return false;
    const Step& s = kTour[step];
    if (start < 0 && (!s.ready || s.ready())) {
      std::vector<hl::InputEvent> events;
      std::string error;
      EXPECT_TRUE(hl::ParseScript(s.script, events, error)) << s.name << ": " << error;
      hl::SetScript(events);
      start = frame;
    }
    if (start < 0 || frame - start < s.frames) return true;
    std::ostringstream line;
    line << frame << ' ' << std::hex << Fold(media::ShownPixels());
    got << s.name << '|' << line.str() << '\n';
    if (update || want[s.name] != line.str()) {
      EXPECT_TRUE(update) << "step \"" << s.name << "\" frame " << frame << ": " << line.str()
                          << ", kept " << want[s.name];
      media::SavePNG(media::ShownPixels(), 800, 600,
                     std::string(QUILL_BINARY_DIR) + "/tour-" + std::to_string(step) + ".png");
    }
    ++step, start = -1;
    return true;
  });
  bool ended = false;
  try {
    _bb_main();
  } catch (const hl::Stop&) {
  } catch (const fronttest::ProgramEnded&) {
    ended = true;
  }
  hl::OnFlip(nullptr);
  EXPECT_TRUE(ended && step + 1 == std::size(kTour))
      << "stopped in \"" << kTour[std::min(step, std::size(kTour) - 1)].name << '"';
  // The options saved the display mode (1, a window, stepped twice: 0, full screen) and the flag
  // chosen (the second).
  EXPECT_EQ((std::vector{Read("prefs.ini"), Read("Country.ini")}),
            (std::vector{fronttest::Bytes{0}, fronttest::Bytes{2}}));
  if (update) std::ofstream(kept) << got.str();
}

}  // namespace
