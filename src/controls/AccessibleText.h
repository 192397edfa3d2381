#pragma once
// The text interface of an owner-drawn control shown as read-only text: screen readers read a text's
// content there (AT-SPI's Text), not in its value. It holds the control's value, with no cursor and no
// selection.

#include "AccessibleFace.h"

class CAccessibleText : public QAccessibleTextInterface
{
public:
    explicit CAccessibleText(const IAccessibleFace& face) : m_face(face) {}

    void selection(int nSelection, int* pnStart, int* pnEnd) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int /*nStart*/, int /*nEnd*/) override {}
    void removeSelection(int /*nSelection*/) override {}
    void setSelection(int /*nSelection*/, int /*nStart*/, int /*nEnd*/) override {}

    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*nPosition*/) override {}

    QString text(int nStart, int nEnd) const override;
    int characterCount() const override;

    QRect characterRect(int /*nOffset*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*pt*/) const override { return -1; }
    void scrollToSubstring(int /*nStart*/, int /*nEnd*/) override {}
    QString attributes(int nOffset, int* pnStart, int* pnEnd) const override;

private:
    const IAccessibleFace& m_face;
};
