#include "match/MatchStart.h"

#include "core/LevelFile.h"
#include "core/LittleEndian.h"

namespace fl3 {
namespace {

constexpr std::size_t kMaxLevelNameBytes = 255;
constexpr std::int32_t kMaxCharacter = 63;

bool Within(std::int64_t value, std::int64_t low, std::int64_t high) { return value >= low && value <= high; }

// Why a decoded start cannot be played, or empty.
std::string Refusal(const MatchStart& start) {
  if (start.level.size() != kLevelFileSize) return "the level is not " + std::to_string(kLevelFileSize) + " bytes";
  if (!Within(start.kind, MatchNormal, MatchMostLives)) return "unknown kind of match " + std::to_string(start.kind);
  if (!Within(start.cpuStrength, 0, 2)) return "unknown computer strength " + std::to_string(start.cpuStrength);
  if (start.random >= (1u << 24)) return "random state out of range";
  for (std::size_t i = 0; i < start.figures.size(); ++i) {
    const MatchStart::Figure& figure = start.figures[i];
    if (!Within(figure.cont, ContOff, ContCpu) || !Within(figure.direction, DirLeft, DirDown) ||
        !Within(figure.character, 0, kMaxCharacter)) {
      return "player " + std::to_string(i + 1) + " is set up in a way no match has";
    }
  }
  return {};
}

}  // namespace

std::int32_t MatchStart::TileSetNumber() const {
  LevelData data;
  return DecodeLevel(level, data) ? data.TileSetNumber : 0;
}

std::int32_t MatchStart::BackgroundNumber() const {
  LevelData data;
  return DecodeLevel(level, data) ? data.BackgroundNumber : -1;
}

MatchStart CaptureMatchStart(const GameState& state, std::int32_t tileSetNumber, std::int32_t backgroundNumber,
                             const std::array<std::int32_t, FigureCount>& characters, std::string levelName,
                             std::uint64_t cpuSeed) {
  MatchStart start;
  start.level = EncodeLevel(LevelFromState(state, tileSetNumber, backgroundNumber));
  start.levelName = std::move(levelName);
  start.kind = state.MatchKind;
  start.timeLeftMs = state.TimeLeft;
  for (std::size_t i = 0; i < start.figures.size(); ++i) {
    const Character& figure = state.Characters[i];
    start.figures[i] = {figure.Cont, figure.Lives, figure.Direction, characters[i]};
  }
  start.cpuStrength = state.CpuStrength;
  start.cpuSeed = cpuSeed;
  start.random = state.Random.State();
  return start;
}

IoResult ApplyMatchStart(const MatchStart& start, GameState& state) {
  LevelData level;
  if (IoResult decoded = DecodeLevel(start.level, level); !decoded) return decoded;
  state.Bombs.Clear();
  ApplyLevelToState(level, state);
  state.MatchKind = start.kind;
  state.TimeLeft = start.timeLeftMs;
  state.FrameTime = 0;
  for (std::size_t i = 0; i < start.figures.size(); ++i) {
    Character& figure = state.Characters[i];
    figure.Cont = start.figures[i].cont;
    figure.Lives = start.figures[i].lives;
    figure.Direction = start.figures[i].direction;
    figure.Moving = false;
    figure.StepOffset = figure.AnimTime = figure.AnimFrame = 0;
  }
  state.Random.SetState(start.random);
  return IoResult::Success();
}

std::string EncodeMatchStart(const MatchStart& start) {
  std::string bytes;
  LittleEndianWriter out(bytes);
  out.Raw(start.level);
  out.Text(start.levelName.substr(0, kMaxLevelNameBytes));
  out.I32(start.kind);
  out.I32(start.timeLeftMs);
  for (const MatchStart::Figure& figure : start.figures) {
    out.I32(figure.cont);
    out.I32(figure.lives);
    out.I32(figure.direction);
    out.I32(figure.character);
  }
  out.I32(start.cpuStrength);
  out.U64(start.cpuSeed);
  out.U32(start.random);
  return bytes;
}

IoResult DecodeMatchStart(std::string_view bytes, MatchStart& start) {
  LittleEndianReader in(bytes);
  MatchStart read;
  read.level = in.Raw(kLevelFileSize);
  read.levelName = in.Text(kMaxLevelNameBytes);
  read.kind = in.I32();
  read.timeLeftMs = in.I32();
  for (MatchStart::Figure& figure : read.figures) {
    figure.cont = in.I32();
    figure.lives = in.I32();
    figure.direction = in.I32();
    figure.character = in.I32();
  }
  read.cpuStrength = in.I32();
  read.cpuSeed = in.U64();
  read.random = in.U32();
  if (!in.Good() || !in.AtEnd()) return IoResult::Failure("the match's start is damaged");
  if (const std::string why = Refusal(read); !why.empty()) return IoResult::Failure("the match's start is damaged: " + why);
  start = std::move(read);
  return IoResult::Success();
}

}  // namespace fl3
