#include "editor/model/LevelMusicChoice.h"

#include "core/GameFolder.h"
#include "core/GameState.h"
#include "core/Messages.h"
#include "editor/model/EditorMessages.h"

namespace fl3 {

LevelMusicChoice::LevelMusicChoice(GameState& state, const GameFolder& folder, Messages& messages,
                                   MusicEngine& music)
    : state_(state), folder_(folder), messages_(messages), music_(music) {}

std::vector<std::string> LevelMusicChoice::Entries() const {
  std::vector<std::string> entries{""};
  for (std::string& name : folder_.List("*.MID")) entries.push_back(std::move(name));
  return entries;
}

std::optional<int> LevelMusicChoice::EntryOf(const std::vector<std::string>& entries, const std::string& levelMusic) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == levelMusic) return static_cast<int>(i);
  }
  return std::nullopt;
}

void LevelMusicChoice::Start() {
  started_ = true;
  musicReady_ = music_.InitMusic(kMusicChannels);
}

void LevelMusicChoice::Choose(const std::string& entry) { state_.LevelMusic = entry; }

void LevelMusicChoice::PressTest(const std::optional<std::string>& selected) {
  if (testing_) {
    music_.StopMusic(testSegment_.get());
    testSegment_.reset();
    testing_ = false;
    return;
  }
  // The empty entry stands for no music: there is nothing to play.
  if (!selected || selected->empty()) {
    messages_.Show(kFileNotSelectedText, kFileNotFoundTitle, MessageIcon::Critical, MessageButtons::Ok);
    return;
  }
  if (!folder_.Exists(*selected)) {
    messages_.Show(kFileMissingText, kFileNotFoundTitle, MessageIcon::Critical, MessageButtons::Ok);
    return;
  }
  StartTest(*selected);
}

void LevelMusicChoice::StartTest(const std::string& entry) {
  // A tune that fails to load still turns the caption, so the next press
  // only clears it.
  testing_ = true;
  if (!musicReady_) return;
  testSegment_ = music_.LoadMusic(*folder_.Find(entry), true);
  ApplyMusicSettings(music_, state_.Music);
  music_.PlayMusic(testSegment_.get(), -1);
}

void LevelMusicChoice::Close() {
  if (!started_) return;
  started_ = false;
  if (testing_) music_.StopMusic(testSegment_.get());
  testSegment_.reset();
  testing_ = false;
  musicReady_ = false;
  music_.ReleaseMusic();
}

}  // namespace fl3
