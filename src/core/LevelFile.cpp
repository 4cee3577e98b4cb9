#include "LevelFile.h"

#include <cstring>

#include "CodePage1252.h"
#include "FileAccess.h"
#include "GameState.h"
#include "LevelValues.h"

namespace fl3 {
namespace {

void PutInt(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((bits >> shift) & 0xFF);
}

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
  std::int32_t Int() {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[pos_++])) << (8 * i);
    return static_cast<std::int32_t>(bits);
  }
  void Grid(CellGrid& grid) {
    for (auto& cell : grid) cell = Int();
  }
  std::string_view Bytes(std::size_t count) {
    const auto view = bytes_.substr(pos_, count);
    pos_ += count;
    return view;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::string_view TrimTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string EncodeLevel(const LevelData& level) {
  std::string out;
  out.reserve(kLevelFileSize);
  for (const auto& figure : level.Figures) {
    PutInt(out, figure.X);
    PutInt(out, figure.Y);
  }
  for (const auto& figure : level.Figures) {
    PutInt(out, figure.PowerBombs);
    PutInt(out, figure.PowerFire);
  }
  for (const auto cell : level.TileMap) PutInt(out, cell);
  for (const auto cell : level.ItemMap) PutInt(out, cell);
  PutInt(out, level.TileSetNumber);
  PutInt(out, level.BackgroundNumber);
  std::string music = Utf8ToCp1252(level.LevelMusic, kLevelMusicBytes);
  music.resize(kLevelMusicBytes, ' ');
  out += music;
  return out;
}

IoResult DecodeLevel(std::string_view bytes, LevelData& level) {
  if (bytes.size() < kLevelFileSize) {
    return IoResult::Failure("the level file is too short (" + std::to_string(bytes.size()) + " of " +
                             std::to_string(kLevelFileSize) + " bytes)");
  }
  ByteReader reader(bytes);
  LevelData decoded;
  for (auto& figure : decoded.Figures) {
    figure.X = reader.Int();
    figure.Y = reader.Int();
  }
  for (auto& figure : decoded.Figures) {
    figure.PowerBombs = reader.Int();
    figure.PowerFire = reader.Int();
  }
  reader.Grid(decoded.TileMap);
  reader.Grid(decoded.ItemMap);
  decoded.TileSetNumber = reader.Int();
  decoded.BackgroundNumber = reader.Int();
  decoded.LevelMusic = Cp1252ToUtf8(TrimTrailingSpaces(reader.Bytes(kLevelMusicBytes)));
  level = std::move(decoded);
  return IoResult::Success();
}

LevelData LevelFromState(const GameState& state, std::int32_t tileSetNumber, std::int32_t backgroundNumber) {
  LevelData level;
  for (std::size_t i = 0; i < level.Figures.size(); ++i) {
    const Character& figure = state.Characters[i];
    level.Figures[i] = {figure.X, figure.Y, figure.PowerBombs, figure.PowerFire};
  }
  level.TileMap = state.TileMap;
  level.ItemMap = state.ItemMap;
  level.TileSetNumber = tileSetNumber;
  level.BackgroundNumber = backgroundNumber;
  level.LevelMusic = state.LevelMusic;
  return level;
}

void ApplyLevelToState(const LevelData& level, GameState& state) {
  for (std::size_t i = 0; i < level.Figures.size(); ++i) {
    Character& figure = state.Characters[i];
    figure.X = level.Figures[i].X;
    figure.Y = level.Figures[i].Y;
    figure.PowerBombs = level.Figures[i].PowerBombs;
    figure.PowerFire = level.Figures[i].PowerFire;
  }
  state.TileMap = level.TileMap;
  state.ItemMap = level.ItemMap;
  state.LevelMusic = level.LevelMusic;
}

IoResult ReadLevelFile(const std::filesystem::path& path, LevelData& level) {
  std::string bytes;
  if (IoResult read = ReadFileStart(path, kLevelFileSize, bytes); !read) return read;
  if (IoResult decoded = DecodeLevel(bytes, level); !decoded) {
    return IoResult::Failure(DescribeFile(path, decoded.reason));
  }
  return IoResult::Success();
}

IoResult LoadLevel(const std::filesystem::path& path, GameState& state, std::int32_t& tileSet,
                   std::int32_t& background) {
  LevelData level;
  if (IoResult read = ReadLevelFile(path, level); !read) return read;
  if (IoResult playable = CheckLevelValues(level); !playable) return IoResult::Failure(DescribeFile(path, playable.reason));
  ApplyLevelToState(level, state);
  tileSet = level.TileSetNumber;
  background = level.BackgroundNumber;
  return IoResult::Success();
}

IoResult WriteLevelFile(const std::filesystem::path& path, const LevelData& level) {
  return WriteFileAtomically(path, EncodeLevel(level));
}

}  // namespace fl3
