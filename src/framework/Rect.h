#pragma once
// A rectangle with Windows' edges: right and bottom lie one past the last pixel, so that the drawing code
// reads as the owner-draw algorithms are written (move to (R.left, R.bottom), deflate by 2, ...).

#include <QRect>

struct CRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    static CRect FromQRect(const QRect& rc)
    {
        return {rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
    }
    QRect ToQRect() const { return {left, top, Width(), Height()}; }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr void DeflateRect(int n)
    {
        left += n;
        top += n;
        right -= n;
        bottom -= n;
    }
    constexpr bool PtInRect(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr bool operator==(const CRect&) const = default;
};
