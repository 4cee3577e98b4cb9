#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "core/GameFolder.h"
#include "net/SessionTypes.h"

namespace fl3 {

// Writes the report of a desync into the player's folder once the session
// has its evidence, and words where it went for the message.
class DesyncReporter {
 public:
  // Fed each service after the session ended with a desync, with what it
  // gave up (nothing while the other machine's state is still on its way);
  // true once the report is written or waiting has no point.
  bool Settle(std::optional<net::DesyncEvidence> evidence, const GameFolder& folder, std::int64_t nowMs);
  const std::string& Text() const { return text_; }

 private:
  std::int64_t sinceMs_ = -1;
  bool done_ = false;
  std::string text_;
};

}  // namespace fl3
