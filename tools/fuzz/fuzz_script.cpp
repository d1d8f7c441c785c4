// The headless runner's input scripts (media::headless::ParseScript): what is taken is a list of
// events each inside its kind's range; what is refused names its line and gives no events.
#include "media/headless.h"
#include "media/input.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {

int FuzzScript(const std::uint8_t* data, std::size_t size) {
  constexpr const char* kName = "script";
  using E = media::headless::InputEvent;
  std::vector<E> events = {E{}};  // anything before is replaced
  std::string error = "old";
  SetTaken(media::headless::ParseScript(std::string(data, data + size), events, error));
  if (!LastTaken()) {
    FUZZ_CHECK(kName, error.rfind("line ", 0) == 0 && events.empty(), "a refusal names its line");
    return 0;
  }
  FUZZ_CHECK(kName, error.empty(), "a taken script has no error");
  std::size_t typed = 0;
  for (const E& e : events) {
    const int c = e.code;
    const bool ok = e.kind == E::KeyDown || e.kind == E::KeyUp ? c >= 0 && c < media::KEY_COUNT
                    : e.kind == E::ButtonDown || e.kind == E::ButtonUp       ? c >= 1 && c <= 3
                    : e.kind == E::JoyButtonDown || e.kind == E::JoyButtonUp ? c >= 0 && c < 32
                    : e.kind == E::JoyAxis                                   ? c == 0 || c == 1
                    : e.kind == E::Type                                      ? c >= 0 && c <= 255
                                        : e.kind == E::MouseMove;
    FUZZ_CHECK(kName, ok && e.frame >= 0, "event " + std::to_string(e.kind) + " in its range");
    typed += e.kind == E::Type;
  }
  FUZZ_CHECK(kName, typed <= size, "no more typed characters than bytes");
  return 0;
}

}  // namespace fuzz
