// Helpers for the stage tests: a fresh world in a temporary start folder, a small stage built in
// memory, a snapshot of everything the stage reader may change, and plain test pictures for the
// screens with a frame hook that drives input by frame number.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "media/graphics.h"
#include "stages/stage_format.h"
#include "support/temp_folder.h"

namespace stagetest {

// A temporary start folder with Levels/ and PlayerLevels/; Path and FilePath point into it.
// Resets the globals, the object lists and the replay cursors, and makes the single objects.
class World {
 public:
  World();
  const std::filesystem::path& root() const { return root_; }
  void WriteBytes(const std::string& relative, const std::vector<unsigned char>& bytes) const {
    quill_test::WriteBytes((root_ / relative).string(), bytes);
  }

 private:
  quill_test::TempFolder folder_{false};  // the working folder comes back at the end
  std::filesystem::path root_ = folder_.path();
};

// Rooms (1, 0) and (0, 0) with different cells, two of each object, a statue.
stagefile::Data SmallStage();

// Everything LoadStage may change, the objects' fields in list order.
struct Snapshot {
  std::vector<int> cells;
  std::vector<std::vector<int>> objects;
  bool operator==(const Snapshot&) const = default;
};
Snapshot Take();

constexpr media::Pixel kWhite = 0xFFFFFFFF;      // optAlpha
constexpr media::Pixel kYellow = 0xFFFFFF00;     // imgFont
constexpr media::Pixel kHighlight = 0xFFFF0000;  // Buttons frame 0
constexpr media::Pixel kNormal = 0xFF00FF00;     // Buttons frame 1
constexpr media::Pixel kFinished = 0xFF0000FF;   // Buttons frame 2

// Opens the 800 x 600 headless screen and makes plain pictures: menu fonts white (optAlpha) and
// grey (optAlpha2), the proportional font yellow and 8 wide, Buttons in the colours above.
void MakeScreenPictures();
// Calls `each(frame)` after every Flip; stops the run (media::headless::Stop) past `limit`.
void OnFrames(std::function<void(int frame)> each, int limit = 5000);
// The shown picture's pixel at screen (x, y).
media::Pixel Shown(int x, int y);

}  // namespace stagetest
