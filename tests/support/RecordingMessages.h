#pragma once
#include <deque>
#include <string>
#include <vector>

#include "core/Messages.h"

namespace fl3::testing {

struct RecordedMessage {
  std::string text;
  std::string title;
  MessageIcon icon;
  MessageButtons buttons;
};

// Records every message box and answers with queued answers (Ok when none
// are queued).
class RecordingMessages : public Messages {
 public:
  MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon icon,
                     MessageButtons buttons) override {
    shown.push_back({text, title, icon, buttons});
    if (answers.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<RecordedMessage> shown;
  std::deque<MessageAnswer> answers;
};

}  // namespace fl3::testing
