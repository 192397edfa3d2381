#pragma once
// The bitmaps (our own XPM artwork) and the program icon.

#include <QIcon>
#include <QPixmap>

namespace res
{
QPixmap LoadBitmap(int nId); // a null pixmap for an id that is not a bitmap
QIcon ProgramIcon();         // at 32 px and larger
} // namespace res
