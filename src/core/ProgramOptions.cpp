#include "ProgramOptions.h"

namespace fl3 {

std::string_view ProgramVersion() { return FUSELARK3_VERSION; }

std::optional<int> AnswerHelpOrVersion(int argc, char** argv, std::string_view program, std::string_view usage,
                                       std::ostream& out) {
  if (argc < 2) return std::nullopt;
  const std::string_view option = argv[1];
  if (option == "--help" || option == "-h") {
    out << usage;
  } else if (option == "--version") {
    out << program << ' ' << ProgramVersion() << '\n';
  } else {
    return std::nullopt;
  }
  out.flush();
  return out ? 0 : 1;
}

}  // namespace fl3
