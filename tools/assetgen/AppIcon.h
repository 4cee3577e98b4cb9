#pragma once
#include <QImage>
#include <vector>

namespace fl3::art {

// The sizes the desktop's icon theme gets, in pixels (square).
inline const std::vector<int> AppIconSizes = {48, 64, 128, 256};

// The program's icon for menus and launchers, with a transparent surround.
QImage DrawAppIcon(int size);

}  // namespace fl3::art
