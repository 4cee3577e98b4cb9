#pragma once
#include <string>
#include <utility>

namespace fl3 {

// Outcome of reading or writing a user file; on failure `reason` says why in
// words a player can act on.
struct IoResult {
  bool ok = true;
  std::string reason;

  static IoResult Success() { return {}; }
  static IoResult Failure(std::string why) { return {false, std::move(why)}; }
  explicit operator bool() const { return ok; }
};

}  // namespace fl3
