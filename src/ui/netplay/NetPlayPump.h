#pragma once
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "core/Clock.h"
#include "ui/netplay/NetPlayLink.h"

namespace fl3 {

// Services a network link from the thread of the windows, on a timer, from
// the waiting room to the end of the match, whatever window is up (a
// message box too): the other machines never wait for this one's windows.
class NetPlayPump : public QObject {
  Q_OBJECT

 public:
  static constexpr std::int64_t kLongestSleepMs = 15;

  // What a match window does around each service: read the keys before,
  // show and sound what was done after. A frame drawn while no window takes
  // it goes unseen.
  struct Frames {
    std::function<void(std::int64_t nowMs)> before;
    std::function<void(const NetPlayStep& step, std::int64_t nowMs)> after;
    DrawList* draw = nullptr;
  };

  // `clockRunsByItself`: a stand-in clock that moves on at every look, so
  // the next service comes at once.
  NetPlayPump(NetPlayLink& link, Clock& clock, bool clockRunsByItself = false);

  void Start() {
    running_ = true;
    timer_.start(0);
  }
  void Stop() {
    running_ = false;
    timer_.stop();
  }
  void SetFrames(Frames frames) { frames_ = std::move(frames); }
  NetPlayLink& Link() { return link_; }
  Clock& Time() { return clock_; }

 signals:
  void Serviced();

 private:
  void Tick();

  NetPlayLink& link_;
  Clock& clock_;
  bool clockRunsByItself_;
  QTimer timer_;
  Frames frames_;
  bool running_ = false;
};

}  // namespace fl3
