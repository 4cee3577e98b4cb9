#include "ui/netplay/DesyncReporter.h"

#include <ctime>

#include "net/DesyncReport.h"

namespace fl3 {
namespace {

// The host gives up on the other machine's state after the silence limit.
constexpr std::int64_t kWaitMs = net::kSilenceMs + 1000;

}  // namespace

bool DesyncReporter::Settle(std::optional<net::DesyncEvidence> evidence, const GameFolder& folder,
                            std::int64_t nowMs) {
  if (done_) return true;
  if (sinceMs_ < 0) sinceMs_ = nowMs;
  if (evidence) {
    std::string written;
    const IoResult result = net::WriteDesyncReport(folder.Directory(), *evidence, std::time(nullptr), written);
    text_ = result ? "Its report was written to " + written + "." : "Its report could not be written: " + result.reason;
    done_ = true;
  } else if (nowMs - sinceMs_ > kWaitMs) {
    text_ = "No report could be written: the other machine's state never came.";
    done_ = true;
  }
  return done_;
}

}  // namespace fl3
