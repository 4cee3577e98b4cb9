#include "media/MatchPictures.h"

#include <algorithm>
#include <string>

#include "core/GameFolder.h"
#include "media/SheetCells.h"

namespace fl3 {
namespace {

std::optional<std::filesystem::path> Numbered(const GameFolder& folder, const char* prefix, std::int32_t number) {
  return folder.Find(prefix + std::to_string(number) + ".BMP");
}

bool InRange(std::int32_t value, int count) { return value >= 0 && value < count; }

}  // namespace

bool MatchPictures::Build(const GameFolder& folder, std::int32_t tileSetNumber, std::int32_t backgroundNumber,
                          const std::array<std::int32_t, FigureCount>& pictureNumbers,
                          const std::array<Character, FigureCount>& characters) {
  ReleaseSheets();
  if (!BuildTiles(folder, tileSetNumber)) return false;
  if (!BuildBackground(folder, backgroundNumber)) return false;
  std::optional<QImage> characterSheet;  // read once, when the first playing figure needs it
  for (int figure = 0; figure < FigureCount; ++figure) {
    if (!characters[static_cast<std::size_t>(figure)].InPlay()) continue;
    if (!BuildFigure(folder, figure, pictureNumbers[static_cast<std::size_t>(figure)], characterSheet)) return false;
  }
  return true;
}

bool MatchPictures::BuildTiles(const GameFolder& folder, std::int32_t tileSetNumber) {
  const auto file = Numbered(folder, "A", tileSetNumber);
  if (!file) return false;
  const std::optional<QImage> sheet = ReadSheet(*file);
  if (!sheet) return false;
  for (int code = 0; code < TilePictureCount; ++code) {
    const QImage cell = CutCell(*sheet, kTileSize * code, 0, kTileSize, kTileSize);
    TexturePtr texture = TextureFromImage(cell, kTileSize, kTileSize, kTileColourKey);
    if (!texture) return false;
    tilePictures_[static_cast<std::size_t>(code)] = std::move(texture);
  }
  return true;
}

bool MatchPictures::BuildBackground(const GameFolder& folder, std::int32_t backgroundNumber) {
  if (backgroundNumber < 0) return true;
  const auto file = Numbered(folder, "B", backgroundNumber);
  if (!file) return false;
  backgroundPicture_ = LoadTexture(*file, kBackgroundWidth, kBackgroundHeight, 0);
  return backgroundPicture_ != nullptr;
}

bool MatchPictures::BuildFigure(const GameFolder& folder, int figure, std::int32_t pictureNumber,
                                std::optional<QImage>& characterSheet) {
  if (!characterSheet) {
    const auto file = folder.Find("C.BMP");
    if (!file) return false;
    characterSheet = ReadSheet(*file);
    if (!characterSheet) return false;
  }
  FigurePictures& pictures = figures_[static_cast<std::size_t>(figure)];
  // Far-off rows are simply empty cells; clamping keeps the arithmetic in range.
  const int top = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{kFrameHeight} * pictureNumber,
                                                            -kFrameHeight, characterSheet->height()));
  for (int step = 1; step <= 3; ++step) {
    std::array<TexturePtr, 4> facings;
    for (int facing = 0; facing < 4; ++facing) {
      const int left = kFrameWidth * (3 * facing + step - 1);
      const QImage cell = CutCell(*characterSheet, left, top, kFrameWidth, kFrameHeight);
      facings[static_cast<std::size_t>(facing)] = TextureFromImage(cell, kFrameWidth, kFrameHeight, kTileColourKey);
      if (!facings[static_cast<std::size_t>(facing)]) return false;
    }
    pictures.P.Add(facings[0], facings[1], facings[2], facings[3]);
  }
  const auto winnerFile = Numbered(folder, "WIN", figure);
  if (!winnerFile) return false;
  pictures.WinPic = LoadTexture(*winnerFile, kWinnerSize, kWinnerSize, kWinnerColourKey);
  return pictures.WinPic != nullptr;
}

bool MatchPictures::LoadFont(const GameFolder& folder) {
  const auto file = folder.Find("FONT.BMP");
  fontPicture_ = file ? LoadTexture(*file, 0, 0, kFontColourKey) : nullptr;
  return fontPicture_ != nullptr;
}

void MatchPictures::ReleaseSheets() {
  for (int figure = FigureCount - 1; figure >= 0; --figure) {
    FigurePictures& pictures = figures_[static_cast<std::size_t>(figure)];
    pictures.P.Clear();
    pictures.WinPic.reset();
  }
  backgroundPicture_.reset();
  for (int code = TilePictureCount - 1; code >= 0; --code) tilePictures_[static_cast<std::size_t>(code)].reset();
}

void MatchPictures::Release() {
  fontPicture_.reset();
  ReleaseSheets();
}

const Texture* MatchPictures::Find(const PictureRef& picture) const {
  switch (picture.kind) {
    case PictureKind::Tile: return TilePicture(picture.index);
    case PictureKind::Background: return BackgroundPicture();
    case PictureKind::Font: return FontPicture();
    case PictureKind::Winner: return WinPic(picture.index);
    case PictureKind::Character: {
      const CharPic* step = P(picture.index).Item(picture.step);
      return step ? step->Facing(picture.direction) : nullptr;
    }
  }
  return nullptr;
}

const Texture* MatchPictures::TilePicture(std::int32_t code) const {
  return InRange(code, TilePictureCount) ? tilePictures_[static_cast<std::size_t>(code)].get() : nullptr;
}

const colCharPic& MatchPictures::P(std::int32_t figure) const {
  static const colCharPic kNone;
  return InRange(figure, FigureCount) ? figures_[static_cast<std::size_t>(figure)].P : kNone;
}

const Texture* MatchPictures::WinPic(std::int32_t figure) const {
  return InRange(figure, FigureCount) ? figures_[static_cast<std::size_t>(figure)].WinPic.get() : nullptr;
}

}  // namespace fl3
