#include "ui/netplay/ConnectionReadout.h"

#include "match/ControlFrame.h"

namespace fl3 {

void ConnectionReadout::Took(std::int64_t nowMs, const NetPlayStep& step, int roundTripMs) {
  roundTripMs_ = roundTripMs;
  const int explained = (roundTripMs + ControlFrame::kNetworkFrameMs - 1) / ControlFrame::kNetworkFrameMs + 1;
  correctedSinceFrame_ = correctedSinceFrame_ || (step.replayed > 0 && step.replayed >= explained + kExtraFrames);
  if (!step.waiting) waitingSinceMs_ = -1;
  if (step.waiting && waitingSinceMs_ < 0) waitingSinceMs_ = nowMs;
  if (!step.newFrame) return;
  bool& slot = corrected_[static_cast<std::size_t>(next_)];
  correctedInWindow_ += (correctedSinceFrame_ ? 1 : 0) - (slot ? 1 : 0);
  slot = correctedSinceFrame_;
  correctedSinceFrame_ = false;
  next_ = (next_ + 1) % kWindowFrames;
}

bool ConnectionReadout::Refresh(std::int64_t nowMs, const std::string& notice, bool matchOver) {
  if (nowMs - refreshedMs_ < kRefreshMs) return false;
  refreshedMs_ = nowMs;
  // Before the first measure there is nothing true to say of the round trip.
  std::string text = roundTripMs_ > 0 ? "Round trip " + std::to_string(roundTripMs_) + " ms" : "";
  bool warning = true;
  const std::int64_t waitedMs = waitingSinceMs_ < 0 ? 0 : nowMs - waitingSinceMs_;
  if (!notice.empty()) {
    text = notice;
  } else if (matchOver) {
    warning = false;
  } else if (waitedMs >= kStalledMs) {
    text = "Waiting for the connection";
    if (waitedMs >= 1000) text += " (" + std::to_string(waitedMs / 1000) + " s)";
  } else if (correctedInWindow_ >= kManyCorrections) {
    text += text.empty() ? "Many corrections" : ", many corrections";
  } else {
    warning = false;
  }
  if (text == text_ && warning == warning_) return false;
  text_ = std::move(text);
  warning_ = warning;
  return true;
}

}  // namespace fl3
