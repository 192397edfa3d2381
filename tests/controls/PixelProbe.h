#pragma once
// Reading the pixels of the owner-drawn controls: what a control paints, at scale 1 or on a scaled screen,
// what stands on screen now (its window's backing store, read without processing events), and where its
// ink lies.

#include "support/TestSupport.h"

#include "framework/DeviceContext.h"

#include <QBackingStore>
#include <QDir>

#include <string>

namespace pixelprobe
{
inline QImage Grab(QWidget& widget)
{
    return testsupport::Grab(&widget).convertToFormat(QImage::Format_RGB32);
}

// What the widget paints on a screen at the scale, dScale device pixels to a unit.
inline QImage GrabScaled(QWidget& widget, qreal dScale)
{
    QPixmap pixmap((QSizeF(widget.size()) * dScale).toSize());
    pixmap.setDevicePixelRatio(dScale);
    widget.render(&pixmap);
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

// The device pixel at the middle of the widget's pixel pt on a screen at the scale.
inline QPoint DevicePixel(QPoint pt, qreal dScale)
{
    return {static_cast<int>((pt.x() + 0.5) * dScale), static_cast<int>((pt.y() + 0.5) * dScale)};
}

inline QImage OnScreen(QWidget& widget)
{
    QBackingStore* pStore = widget.window()->backingStore();
    const auto* pImage = pStore ? dynamic_cast<const QImage*>(pStore->paintDevice()) : nullptr;
    const QPoint origin = widget.mapTo(widget.window(), QPoint(0, 0));
    return pImage ? pImage->copy(QRect(origin, widget.size())).convertToFormat(QImage::Format_RGB32)
                  : QImage();
}

inline COLORREF At(const QImage& image, int x, int y)
{
    return FromQColor(image.pixelColor(x, y));
}

// The box round the pixels of area that are not the background colour; the number of pixels of a colour.
inline QRect InkBounds(const QImage& image, const QRect& area, COLORREF crBackground)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            bounds |= At(image, x, y) != crBackground ? QRect(x, y, 1, 1) : QRect();
    return bounds;
}

inline int CountColour(const QImage& image, const QRect& area, COLORREF cr)
{
    int nCount = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            nCount += At(image, x, y) == cr ? 1 : 0;
    return nCount;
}

// Saves a picture under controls/ in the working directory (the build folder) for a person to look at.
inline void Save(const QImage& image, const std::string& name)
{
    QDir().mkpath(QStringLiteral("controls"));
    image.save(QStringLiteral("controls/%1.png").arg(QString::fromStdString(name)));
}
} // namespace pixelprobe
