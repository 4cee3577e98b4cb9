#include "media/FluidSynthErrorLog.h"

#include <fluidsynth.h>

#include <algorithm>

namespace fl3 {

void SilenceFluidSynthLog() {
  for (int level = 0; level < LAST_LOG_LEVEL; ++level) fluid_set_log_function(level, nullptr, nullptr);
}

FluidSynthErrorLog::FluidSynthErrorLog() {
  SilenceFluidSynthLog();
  fluid_set_log_function(FLUID_PANIC, &FluidSynthErrorLog::Keep, this);
  fluid_set_log_function(FLUID_ERR, &FluidSynthErrorLog::Keep, this);
}

FluidSynthErrorLog::~FluidSynthErrorLog() { SilenceFluidSynthLog(); }

void FluidSynthErrorLog::Keep(int /*level*/, const char* message, void* self) {
  auto& errors = static_cast<FluidSynthErrorLog*>(self)->errors_;
  // Each driver tried may repeat the same complaint.
  if (message != nullptr && std::find(errors.begin(), errors.end(), message) == errors.end())
    errors.emplace_back(message);
}

std::string FluidSynthErrorLog::Text() const {
  std::string text;
  for (const std::string& error : errors_) text += (text.empty() ? "" : "\n") + error;
  return text;
}

}  // namespace fl3
