#include "res/Bitmaps.h"

#include "res/ResourceIds.h"

// Our own artwork, kept as XPM text: the logo, the driver-standard emblem and the program icon.
#include "res/Emblem.xpm"
#include "res/Logo.xpm"
#include "res/ProgramIcon.xpm"

namespace res
{
QPixmap LoadBitmap(int nId)
{
    switch (nId)
    {
    case IDB_LOGO:
        return QPixmap(kLogoXpm);
    case IDB_EMBLEM:
        return QPixmap(kEmblemXpm);
    default:
        return QPixmap();
    }
}

QIcon ProgramIcon()
{
    return QIcon(QPixmap(kProgramIconXpm));
}
} // namespace res
