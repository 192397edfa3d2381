#pragma once
// What an owner-drawn control shows, put in words for the accessibility layer (screen readers and
// end-to-end tests): the controls paint their texts and states themselves, so they describe them here.

#include <QAccessible>
#include <QString>

class IAccessibleFace
{
public:
    virtual QAccessible::Role AccessibleRole() const = 0;
    virtual QString AccessibleName() const = 0;
    virtual QString AccessibleValue() const { return {}; }
    // Adds what the control's own state means (a two-state control: checkable, checked, pressed).
    virtual void AddAccessibleState(QAccessible::State& /*state*/) const {}

protected:
    ~IAccessibleFace() = default;
};
