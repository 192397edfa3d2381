#pragma once
// The accessibility interface of the owner-drawn controls: it reports the name, value and state each
// control describes through IAccessibleFace, presses the control as its action, and gives a control shown
// as read-only text its value as text.

#include "AccessibleFace.h"
#include "AccessibleText.h"

#include <QAccessibleWidget>

class CControlAccessible : public QAccessibleWidget
{
public:
    CControlAccessible(QWidget* pWidget, const IAccessibleFace& face);

    // Makes Qt build this interface for every control with a face. Idempotent; each control calls it on
    // construction, before anything can ask for its interface.
    static void Install();

    // Tells assistive tools that what the control shows has changed.
    static void NotifyShownChanged(QObject* pControl);
    // Tells assistive tools that the control's value is now this text.
    static void NotifyValueChanged(QObject* pControl, const QString& value);
    // Hands those value events to a listener as well (null for none); returns the previous one. Tests
    // listen here: Qt passes events on only where the platform has assistive tools, offscreen it has none.
    static QAccessible::UpdateHandler InstallValueListener(QAccessible::UpdateHandler pListener);

    QAccessible::Role role() const override; // the face's role now, which may change after construction
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    static QAccessibleInterface* Factory(const QString& key, QObject* pObject);

    const IAccessibleFace& m_face;
    CAccessibleText m_text;
};
