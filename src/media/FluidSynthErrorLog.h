#pragma once
#include <string>
#include <vector>

namespace fl3 {

// While it lives, the errors FluidSynth reports are kept here instead of
// going to the terminal, so a failed set-up can tell the player why. The game
// has no log: when it ends, FluidSynth is silent again.
class FluidSynthErrorLog {
 public:
  FluidSynthErrorLog();
  ~FluidSynthErrorLog();
  FluidSynthErrorLog(const FluidSynthErrorLog&) = delete;
  FluidSynthErrorLog& operator=(const FluidSynthErrorLog&) = delete;

  // The errors in the order reported, one a line; empty when there were none.
  std::string Text() const;

 private:
  static void Keep(int level, const char* message, void* self);

  std::vector<std::string> errors_;
};

// Lets nothing FluidSynth says through.
void SilenceFluidSynthLog();

}  // namespace fl3
