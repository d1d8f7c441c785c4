// Time over the backend's clock: the real clock, or the headless backend's virtual clock
// that advances on Flip, Delay and WaitTimer.
#pragma once

#include <memory>

namespace media {

struct TimerData;
using Timer = std::shared_ptr<TimerData>;

int MilliSecs();  // a 32-bit millisecond count
void Delay(int ms);
Timer CreateTimer(float hertz);
int WaitTimer(const Timer& timer);  // blocks until the timer's next tick; the ticks passed

}  // namespace media
