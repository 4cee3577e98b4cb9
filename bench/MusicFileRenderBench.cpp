// What one second of any MIDI file costs the sound thread: the file named by
// FUSELARK3_TUNE, loaded and played for ever as a match plays its music.
// Run once per file, since a hostile tune can take far longer than a second.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "core/Messages.h"
#include "media/FluidSynthMusic.h"

namespace {

class NoMessages final : public fl3::Messages {
 public:
  fl3::MessageAnswer Show(const std::string&, const std::string&, fl3::MessageIcon, fl3::MessageButtons) override {
    return fl3::MessageAnswer::Ok;
  }
};

void BM_RenderFirstSecondOfTune(benchmark::State& state) {
  const char* tune = std::getenv("FUSELARK3_TUNE");
  if (tune == nullptr) {
    state.SkipWithError("FUSELARK3_TUNE names no file");
    return;
  }
  NoMessages messages;
  fl3::FluidSynthMusicOptions options;
  options.offline = true;
  fl3::FluidSynthMusic music(messages, options);
  const auto segment = music.InitMusic(128) ? music.LoadMusic(tune, true) : nullptr;
  if (!segment) {
    state.SkipWithError("the tune was refused");
    return;
  }
  for (auto _ : state) {
    music.PlayMusic(segment.get(), -1);
    benchmark::DoNotOptimize(music.RenderOffline(fl3::FluidSynthMusic::kSampleRate));
  }
}
BENCHMARK(BM_RenderFirstSecondOfTune)->Unit(benchmark::kMillisecond)->Iterations(1)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
