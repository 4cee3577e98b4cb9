#pragma once
#include <optional>
#include <string>

struct _XDisplay;

namespace fl3 {

// Asked before Qt starts: Qt itself aborts without a display, with a core
// dump and no word the player can act on.
class DisplayCheck {
 public:
  DisplayCheck() = default;
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;
  // The connection made to find out stays open until then: an X server with
  // no other client resets when its last one leaves, and would turn Qt away.
  ~DisplayCheck();

  // Why no window can be opened here, or nothing when one can.
  std::optional<std::string> MissingDisplay();

 private:
  _XDisplay* connection_ = nullptr;
};

}  // namespace fl3
