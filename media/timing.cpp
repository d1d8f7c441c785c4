// Time over the backend's clock.
#include "media/timing.h"

#include <cmath>
#include <cstdint>

#include "media/backend.h"

namespace media {

struct TimerData {
  double hertz = 0;
  std::int64_t start = 0;
  std::int64_t ticks = 0;  // ticks handed out so far
};

int MilliSecs() {
  return static_cast<int>(static_cast<std::uint32_t>(detail::CurrentBackend().Millis()));
}

void Delay(int ms) {
  detail::CurrentBackend().Sleep(ms > 0 ? ms : 0);
  detail::NoteDelay(ms);
}

Timer CreateTimer(float hertz) {
  // Rates outside a thousandth of a hertz to a million hertz have no sensible tick times (and
  // would overflow the clock arithmetic): no timer.
  if (!(hertz >= 0.001f && hertz <= 1e6f)) return nullptr;
  auto t = std::make_shared<TimerData>();
  t->hertz = hertz;
  t->start = detail::CurrentBackend().Millis();
  return t;
}

int WaitTimer(const Timer& timer) {
  if (!timer) return 0;
  auto& backend = detail::CurrentBackend();
  // Tick n falls at start + n * 1000 / hertz, computed from the start so that no error adds up.
  auto due = timer->start +
             static_cast<std::int64_t>(
                 std::ceil(1000.0 * static_cast<double>(timer->ticks + 1) / timer->hertz - 1e-9));
  std::int64_t now = backend.Millis();
  backend.Sleep(now < due ? static_cast<int>(due - now) : 0);
  now = backend.Millis();
  auto reached = static_cast<std::int64_t>(
      std::floor(static_cast<double>(now - timer->start) * timer->hertz / 1000.0 + 1e-9));
  std::int64_t passed = reached - timer->ticks;
  if (passed < 1) passed = 1;
  timer->ticks += passed;
  return static_cast<int>(passed);
}

}  // namespace media
