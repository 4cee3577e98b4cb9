#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "core/GameState.h"
#include "core/Grid.h"
#include "match/DrawList.h"
#include "media/Texture.h"
#include "media/colCharPic.h"

namespace fl3 {

class GameFolder;

// Transparent colours of the match's picture sheets.
inline constexpr std::uint32_t kTileColourKey = 0xFFC0C0C0;  // tiles and figure frames
inline constexpr std::uint32_t kWinnerColourKey = 0xFFFF00FF;
inline constexpr std::uint32_t kFontColourKey = 0xFF000000;

inline constexpr int kBackgroundWidth = 1024, kBackgroundHeight = 512;
inline constexpr int kTileSize = 32;
inline constexpr int kFrameWidth = 32, kFrameHeight = 64;
inline constexpr int kWinnerSize = 256;

// The pictures of one match, cut from the sheets in the game folder: the
// tiles of the level's tileset, its background, each playing figure's walking
// frames and winner picture, and the digits.
class MatchPictures {
 public:
  // Replaces the sheet pictures (not the digits). Any error (a missing or
  // unreadable sheet) stops the building at once, silently, and leaves what
  // was built; returns whether everything was built. Figures whose Cont is
  // OFF get nothing and their winner files are not read. backgroundNumber < 0
  // means no background. pictureNumbers are the "C.BMP" rows of figures 0..3.
  bool Build(const GameFolder& folder, std::int32_t tileSetNumber, std::int32_t backgroundNumber,
             const std::array<std::int32_t, FigureCount>& pictureNumbers,
             const std::array<Character, FigureCount>& characters);

  // "FONT.BMP" at its own size, opaque black transparent. False (and no
  // digits) when it cannot be read.
  bool LoadFont(const GameFolder& folder);
  void SetFontPicture(TexturePtr font) { fontPicture_ = std::move(font); }

  // Drops everything: the digits, each figure's pictures, the background,
  // then the tiles from 24 down to 0.
  void Release();

  // The texture a draw refers to; null for an empty picture.
  const Texture* Find(const PictureRef& picture) const;

  const Texture* TilePicture(std::int32_t code) const;
  const Texture* BackgroundPicture() const { return backgroundPicture_.get(); }
  const Texture* FontPicture() const { return fontPicture_.get(); }
  // Animation steps 1..3 of a figure; empty for a figure out of range.
  const colCharPic& P(std::int32_t figure) const;
  const Texture* WinPic(std::int32_t figure) const;

 private:
  struct FigurePictures {
    colCharPic P;
    TexturePtr WinPic;
  };

  void ReleaseSheets();
  bool BuildTiles(const GameFolder& folder, std::int32_t tileSetNumber);
  bool BuildBackground(const GameFolder& folder, std::int32_t backgroundNumber);
  bool BuildFigure(const GameFolder& folder, int figure, std::int32_t pictureNumber,
                   std::optional<QImage>& characterSheet);

  std::array<TexturePtr, TilePictureCount> tilePictures_{};
  TexturePtr backgroundPicture_;
  TexturePtr fontPicture_;
  std::array<FigurePictures, FigureCount> figures_{};
};

}  // namespace fl3
