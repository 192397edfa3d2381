#include "Bitmaps.h"

#include "ResourceIds.h"

#include <QDirIterator>

// Our own artwork, kept as XPM text: the logo, the driver-standard emblem and the program icon.
#include "Emblem.xpm"
#include "Logo.xpm"
#include "ProgramIcon.xpm"

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
    // Its own pixels at 32 px; for window managers, task switchers and scaled screens also the renderings of
    // its vector drawing at the larger sizes, which the build puts in the program's resources.
    QIcon icon{QPixmap(kProgramIconXpm)};
    QDirIterator renderings(QStringLiteral(":/icons"), {QStringLiteral("tarvex.png")}, QDir::Files,
                            QDirIterator::Subdirectories);
    while (renderings.hasNext())
        icon.addFile(renderings.next());
    return icon;
}
} // namespace res
