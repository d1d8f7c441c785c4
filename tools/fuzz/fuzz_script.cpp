// The headless runner's input scripts (media::headless::ParseScript): what is taken is a list
// of events each inside its kind's range; what is refused names its line and gives no events.
#include "media/headless.h"
#include "media/input.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {

int FuzzScript(const std::uint8_t* data, std::size_t size) {
  constexpr const char* kName = "script";
  using media::headless::InputEvent;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<InputEvent> events = {InputEvent{}};  // anything before is replaced
  std::string error = "old";
  if (!media::headless::ParseScript(text, events, error)) {
    FUZZ_CHECK(kName, error.rfind("line ", 0) == 0, "an error names its line");
    FUZZ_CHECK(kName, events.empty(), "a refused script gives no events");
    return 0;
  }
  FUZZ_CHECK(kName, error.empty(), "a taken script has no error");
  std::size_t typed = 0;
  for (const InputEvent& e : events) {
    FUZZ_CHECK(kName, e.frame >= 0, "frames are 0 or more");
    switch (e.kind) {
      case InputEvent::KeyDown:
      case InputEvent::KeyUp:
        FUZZ_CHECK(kName, e.code >= 0 && e.code < media::KEY_COUNT, "key code in range");
        break;
      case InputEvent::ButtonDown:
      case InputEvent::ButtonUp:
        FUZZ_CHECK(kName, e.code >= 1 && e.code <= 3, "mouse button 1 to 3");
        break;
      case InputEvent::JoyButtonDown:
      case InputEvent::JoyButtonUp:
        FUZZ_CHECK(kName, e.code >= 0 && e.code < 32, "joystick button 0 to 31");
        break;
      case InputEvent::JoyAxis:
        FUZZ_CHECK(kName, e.code == 0 || e.code == 1, "joystick axis 0 or 1");
        break;
      case InputEvent::Type:
        FUZZ_CHECK(kName, e.code >= 0 && e.code <= 255, "a typed character is a byte");
        ++typed;
        break;
      case InputEvent::MouseMove:
        break;
      default:
        ReportFault(kName, "an event of no known kind");
    }
  }
  FUZZ_CHECK(kName, typed <= size, "no more typed characters than bytes");
  return 0;
}

}  // namespace fuzz
