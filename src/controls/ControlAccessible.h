#pragma once
// The accessibility interface of the owner-drawn controls: it reports the name, value and state each
// control describes through IAccessibleFace, and presses the control as its action.

#include "AccessibleFace.h"

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

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    static QAccessibleInterface* Factory(const QString& key, QObject* pObject);

    const IAccessibleFace& m_face;
};
