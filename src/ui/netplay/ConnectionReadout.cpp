#include "ui/netplay/ConnectionReadout.h"

namespace fl3 {

void ConnectionReadout::Took(std::int64_t nowMs, bool newFrame, bool corrected, int roundTripMs) {
  roundTripMs_ = roundTripMs;
  correctedSinceFrame_ = correctedSinceFrame_ || corrected;
  if (lastFrameMs_ < 0) lastFrameMs_ = nowMs;
  if (!newFrame) return;
  lastFrameMs_ = nowMs;
  bool& slot = corrected_[static_cast<std::size_t>(next_)];
  correctedInWindow_ += (correctedSinceFrame_ ? 1 : 0) - (slot ? 1 : 0);
  slot = correctedSinceFrame_;
  correctedSinceFrame_ = false;
  next_ = (next_ + 1) % kWindowFrames;
}

bool ConnectionReadout::Refresh(std::int64_t nowMs) {
  if (nowMs - refreshedMs_ < kRefreshMs) return false;
  refreshedMs_ = nowMs;
  std::string text = roundTripMs_ > 0 ? "Round trip " + std::to_string(roundTripMs_) + " ms" : "Round trip -";
  bool warning = true;
  if (lastFrameMs_ >= 0 && nowMs - lastFrameMs_ >= kStalledMs) {
    text = "Waiting for the connection (" + std::to_string((nowMs - lastFrameMs_) / 1000) + " s)";
  } else if (correctedInWindow_ >= kManyCorrections) {
    text += ", many corrections";
  } else {
    warning = false;
  }
  if (text == text_ && warning == warning_) return false;
  text_ = std::move(text);
  warning_ = warning;
  return true;
}

}  // namespace fl3
