#include "SimReplay.h"

#include <cerrno>
#include <memory>
#include <ostream>

#include "MessageText.h"
#include "replay/ReplayPlayback.h"
#include "replay/ReplayShelf.h"
#include "SimRun.h"
#include "SimTrace.h"

namespace fl3::sim {

int CheckReplayFile(const std::string& path, bool trace, std::ostream& out, std::ostream& err) {
  Replay replay;
  if (const IoResult read = ReadReplayFile(path, replay); !read) {
    err << "fuselark3-sim: cannot read the replay \"" << EchoedName(path) << "\": " << WithEchoedNames(read.reason)
        << "\n";
    return 1;
  }
  auto state = std::make_unique<GameState>();
  ReplayPlayback playback(*state, replay);
  errno = 0;
  if (trace) out << HeaderLine(replay.start.TileSetNumber(), replay.start.BackgroundNumber()).dump() << "\n";
  const auto traceFrame = [&](int frame, const FrameOutcome& outcome) {
    if (out) out << FrameLine(frame, *state, outcome, nullptr).dump() << "\n";
  };
  const ReplayPlayback::Verdict verdict =
      trace ? playback.PlayThrough(traceFrame, false) : playback.PlayThrough({}, false);
  if (trace) {
    out.flush();
    if (!out) return TraceWriteFailed(err, errno);
  }
  if (verdict.differingFrame >= 0) {
    err << "fuselark3-sim: the replay \"" << EchoedName(path) << "\" differs at frame " << verdict.differingFrame
        << ": " << verdict.reason << "\n";
    return 1;
  }
  return 0;
}

}  // namespace fl3::sim
