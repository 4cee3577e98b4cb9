#include "ui/netplay/NetPlayPump.h"

#include <algorithm>

namespace fl3 {

NetPlayPump::NetPlayPump(NetPlayLink& link, Clock& clock, bool clockRunsByItself)
    : link_(link), clock_(clock), clockRunsByItself_(clockRunsByItself) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &NetPlayPump::Tick);
}

void NetPlayPump::Tick() {
  const std::int64_t now = clock_.NowMs();
  if (frames_.before) frames_.before(now);
  const NetPlayStep step = link_.Service(now, frames_.draw);
  if (frames_.after) frames_.after(step, now);
  emit Serviced();
  // A handler may have stopped the pump.
  if (!running_) return;
  const std::int64_t sleepMs = clockRunsByItself_ ? 0 : link_.NextWakeMs() - clock_.NowMs();
  timer_.start(static_cast<int>(std::clamp<std::int64_t>(sleepMs, 0, kLongestSleepMs)));
}

}  // namespace fl3
