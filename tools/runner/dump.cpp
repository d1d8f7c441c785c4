// The state dump of the runner.
#include <sstream>

#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "tools/runner/runner.h"

namespace runner {

std::string StateDump(const std::string& ended) {
  std::ostringstream out;
  out << "frames " << media::headless::FrameCount() << "\n";
  out << "millis " << media::headless::VirtualMillis() << "\n";
  out << "ended " << ended << "\n";
  if (Game) {
    out << "state " << Game->State << "\n";
    out << "stage " << Game->Stage << "\n";
  } else {
    out << "game none\n";
  }
  if (Player) {
    out << "score " << Player->Score << "\n";
    out << "lives " << Player->Lives << "\n";
    out << "x " << Player->X << "\n";
    out << "y " << Player->Y << "\n";
    out << "action " << Player->Action << "\n";
  } else {
    out << "player none\n";
  }
  out << "roomx " << RoomX << "\n";
  out << "roomy " << RoomY << "\n";
  return out.str();
}

}  // namespace runner
