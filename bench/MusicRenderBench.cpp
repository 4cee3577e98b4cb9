// What the music costs while a match runs: one second of the busiest tune,
// rendered offline as the sound device's thread would render it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "core/Messages.h"
#include "media/FluidSynthMusic.h"

namespace {

class NoMessages final : public fl3::Messages {
 public:
  fl3::MessageAnswer Show(const std::string&, const std::string&, fl3::MessageIcon, fl3::MessageButtons) override {
    return fl3::MessageAnswer::Ok;
  }
};

// The game folder beside the bench folder, unless the environment names it.
std::filesystem::path GameFolder() {
  if (const char* folder = std::getenv("FUSELARK3_GAME_DIR")) return folder;
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "game";
}

void BM_RenderOneSecondOfBattle(benchmark::State& state) {
  NoMessages messages;
  fl3::FluidSynthMusicOptions options;
  options.offline = true;
  fl3::FluidSynthMusic music(messages, options);
  const auto segment = music.InitMusic(128) ? music.LoadMusic(GameFolder() / "BATTLE.MID", true) : nullptr;
  if (!segment) {
    state.SkipWithError("BATTLE.MID could not be played");
    return;
  }
  music.PlayMusic(segment.get(), -1);
  music.RenderOffline(fl3::FluidSynthMusic::kSampleRate * 20);  // into the full arrangement
  for (auto _ : state) benchmark::DoNotOptimize(music.RenderOffline(fl3::FluidSynthMusic::kSampleRate));
}
BENCHMARK(BM_RenderOneSecondOfBattle)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
