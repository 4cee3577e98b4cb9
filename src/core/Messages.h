#pragma once
#include <string>

namespace fl3 {

enum class MessageIcon { None, Critical, Information };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

inline constexpr const char* kProgramTitle = "FUSELARK3";

// Modal message boxes: Qt in the game, a recorder in tests.
class Messages {
 public:
  virtual ~Messages() = default;
  // Closing the box counts as Cancel.
  virtual MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons = MessageButtons::Ok) = 0;
};

}  // namespace fl3
