#include "editor/model/EditorQuestions.h"

#include <cctype>

#include "core/Messages.h"

namespace fl3 {

bool EndsInExtension(const std::string& name, const std::string& extension) {
  if (name.size() < extension.size()) return false;
  std::string tail = name.substr(name.size() - extension.size());
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail == extension;
}

bool IsBareFileName(const std::string& name) {
  return name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

bool Confirm(Messages& messages, const std::string& text, const std::string& title) {
  return messages.Show(text, title, MessageIcon::Critical, MessageButtons::OkCancel) == MessageAnswer::Ok;
}

void ReportFailure(Messages& messages, const std::string& text, const std::string& title, const std::string& reason) {
  messages.Show(text + "\n" + reason, title, MessageIcon::Critical, MessageButtons::Ok);
}

}  // namespace fl3
