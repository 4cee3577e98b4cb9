#pragma once
#include <QPixmap>

namespace fl3 {

// The palette's own small pictures, drawn here rather than loaded, so the
// palette looks right even in a folder without the editor's bitmaps.
QPixmap FloorNothingPicture(int size);  // white square crossed by both diagonals
QPixmap FloorDoodadPicture(int size);   // plain white square
QPixmap BlockPicture(int number, int size);
QPixmap BoxPicture(int number, int size);
QPixmap BombPicture(int size);
QPixmap FireRingsPicture(int size);  // red and yellow rings
QPixmap BlueRingsPicture(int size);

}  // namespace fl3
