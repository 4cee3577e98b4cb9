#include "ui/MatchPictureCheck.h"

#include "core/GameFolder.h"
#include "core/Messages.h"
#include "media/PictureFile.h"

namespace fl3 {
namespace {

bool IsUnusable(const GameFolder& folder, const std::string& name) {
  const auto path = folder.Find(name);
  return path && !IsUsablePicture(*path);
}

std::string NamesInText(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += "\\" + names[i];
  }
  return text;
}

}  // namespace

std::vector<std::string> UnusableMatchPictures(const GameState& state, const GameFolder& folder) {
  std::vector<std::string> unusable;
  if (IsUnusable(folder, "FONT.BMP")) unusable.push_back("FONT.BMP");
  for (std::size_t slot = 0; slot < state.Characters.size(); ++slot) {
    if (state.Characters[slot].Cont == ContOff) continue;
    const std::string name = "WIN" + std::to_string(slot) + ".BMP";
    if (IsUnusable(folder, name)) unusable.push_back(name);
  }
  return unusable;
}

void ReportUnusableMatchPictures(const GameState& state, const GameFolder& folder, Messages& messages) {
  const std::vector<std::string> names = UnusableMatchPictures(state, folder);
  if (names.empty()) return;
  const bool one = names.size() == 1;
  messages.Show(std::string(one ? "The picture file " : "The picture files ") + NamesInText(names) +
                    (one ? " cannot be read or is too large.\n" : " cannot be read or are too large.\n") +
                    "The match goes on without " + (one ? "it." : "them."),
                "Picture Error", MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace fl3
