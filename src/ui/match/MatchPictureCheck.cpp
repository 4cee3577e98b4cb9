#include "ui/match/MatchPictureCheck.h"

#include "core/GameFolder.h"
#include "core/Messages.h"
#include "media/PictureFile.h"

namespace fl3 {
namespace {

void AddIfUnusable(const GameFolder& folder, const std::string& name, std::vector<std::string>& unusable) {
  const auto path = folder.Find(name);
  if (path && !IsUsablePicture(*path)) unusable.push_back(path->string());
}

std::string NamesInText(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += "\"" + names[i] + "\"";
  }
  return text;
}

}  // namespace

std::vector<std::string> UnusableMatchPictures(const GameState& state, const GameFolder& folder) {
  std::vector<std::string> unusable;
  AddIfUnusable(folder, "FONT.BMP", unusable);
  for (std::size_t slot = 0; slot < state.Characters.size(); ++slot) {
    if (state.Characters[slot].Cont != ContOff) AddIfUnusable(folder, "WIN" + std::to_string(slot) + ".BMP", unusable);
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
