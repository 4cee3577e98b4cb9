#pragma once
#include <string>

namespace fl3 {

class Messages;

// What both editors' Open and Save As share: file names and their questions.

// Whether `name` ends in `extension` in any letter case.
bool EndsInExtension(const std::string& name, const std::string& extension);
// Only a bare name stays inside the game folder.
bool IsBareFileName(const std::string& name);
// An OK / Cancel question with the critical icon; true for OK.
bool Confirm(Messages& messages, const std::string& text, const std::string& title);
// A failure: what failed, and why on the next line.
void ReportFailure(Messages& messages, const std::string& text, const std::string& title, const std::string& reason);

}  // namespace fl3
