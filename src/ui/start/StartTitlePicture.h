#pragma once
#include <QPixmap>

namespace fl3 {

class GameFolder;

inline constexpr int kTitleWidth = 312;
inline constexpr int kTitleHeight = 108;

// "TITLE.BMP" from the game folder when it can be read, otherwise the title
// drawn here, so the screen never opens with an empty banner.
QPixmap StartTitlePicture(const GameFolder& folder);

}  // namespace fl3
