#include "ControlAccessible.h"

#include "framework/AccessibleFactory.h"

#include <QAbstractButton>

#include <utility>

CControlAccessible::CControlAccessible(QWidget* pWidget, const IAccessibleFace& face)
    : QAccessibleWidget(pWidget, face.AccessibleRole()), m_face(face), m_text(face)
{
}

void CControlAccessible::Install()
{
    InstallAccessibleFactory<&CControlAccessible::Factory>();
}

QAccessibleInterface* CControlAccessible::Factory(const QString& /*key*/, QObject* pObject)
{
    auto* pWidget = qobject_cast<QWidget*>(pObject);
    const auto* pFace = dynamic_cast<const IAccessibleFace*>(pObject);
    return pWidget && pFace ? new CControlAccessible(pWidget, *pFace) : nullptr;
}

void CControlAccessible::NotifyShownChanged(QObject* pControl)
{
    // Without an assistive tool listening, sending the events would only build interfaces nobody reads.
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent nameChanged(pControl, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    QAccessible::State changed;
    changed.checked = true;
    changed.pressed = true;
    QAccessibleStateChangeEvent stateChanged(pControl, changed);
    QAccessible::updateAccessibility(&stateChanged);
}

namespace
{
QAccessible::UpdateHandler s_pValueListener = nullptr;
} // namespace

void CControlAccessible::NotifyValueChanged(QObject* pControl, const QString& value)
{
    if (!QAccessible::isActive() && !s_pValueListener)
        return;
    QAccessibleValueChangeEvent valueChanged(pControl, value);
    if (s_pValueListener)
        s_pValueListener(&valueChanged);
    QAccessible::updateAccessibility(&valueChanged);
    // The value is also the description (see text()), which AT-SPI hears of.
    QAccessibleEvent descriptionChanged(pControl, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&descriptionChanged);
}

QAccessible::UpdateHandler CControlAccessible::InstallValueListener(QAccessible::UpdateHandler pListener)
{
    return std::exchange(s_pValueListener, pListener);
}

QAccessible::Role CControlAccessible::role() const
{
    return m_face.AccessibleRole();
}

void* CControlAccessible::interface_cast(QAccessible::InterfaceType type)
{
    // Asked each time, as the role is: a display becomes read-only text after it was built.
    if (type == QAccessible::TextInterface && role() == QAccessible::StaticText)
        return static_cast<QAccessibleTextInterface*>(&m_text);
    return QAccessibleWidget::interface_cast(type);
}

QString CControlAccessible::text(QAccessible::Text t) const
{
    switch (t)
    {
    case QAccessible::Name:
        return m_face.AccessibleName();
    case QAccessible::Value:
        return m_face.AccessibleValue();
    case QAccessible::Description:
        // AT-SPI carries a value only as a number, so a text value (a reading) reaches screen readers on
        // Linux as the description.
        return widget()->accessibleDescription().isEmpty() ? m_face.AccessibleValue()
                                                           : widget()->accessibleDescription();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State CControlAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    m_face.AddAccessibleState(s);
    return s;
}

QStringList CControlAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    // A read-only control (a lamp, a display a click does nothing on) offers nothing to press.
    if (qobject_cast<QAbstractButton*>(widget()) && widget()->isEnabled() && !state().readOnly)
        names.prepend(pressAction());
    return names;
}

void CControlAccessible::doAction(const QString& actionName)
{
    auto* pButton = qobject_cast<QAbstractButton*>(widget());
    if (pButton && actionName == pressAction() && pButton->isEnabled())
    {
        pButton->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}
