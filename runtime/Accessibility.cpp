#include "runtime/Accessibility.h"

#include "runtime/Control.h"

#include <QAccessibleWidget>
#include <QVariant>

namespace {

const char* const RoleProperty = "varnelAccessibleRole";
const char* const ValueProperty = "varnelAccessibleValue";

// Made for every control of ours, whenever it is first asked about (Qt asks as soon as a
// control's state changes, before the window may have given its role), so the role is read when
// it is wanted.
class TAccessibleControl : public QAccessibleWidget {
public:
    explicit TAccessibleControl(QWidget* control) : QAccessibleWidget(control) {}

    QAccessible::Role role() const override {
        const QVariant role = widget()->property(RoleProperty);
        return role.isValid() ? static_cast<QAccessible::Role>(role.toInt())
                              : QAccessibleWidget::role();
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return widget()->property(ValueProperty).toString();
        const QString own = QAccessibleWidget::text(kind);
        if (kind != QAccessible::Name || !own.isEmpty())
            return own;
        const auto* control = qobject_cast<const TControl*>(widget());
        return control ? control->Caption() : own;
    }
};

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    auto* control = qobject_cast<TControl*>(object);
    return control ? new TAccessibleControl(control) : nullptr;
}

// Before any control exists: with the program's start.
const bool FactoryInstalled = [] {
    QAccessible::installFactory(MakeInterface);
    return true;
}();

} // namespace

namespace Accessibility {

void SetRole(QWidget& control, QAccessible::Role role) {
    control.setProperty(RoleProperty, static_cast<int>(role));
}

void SetValue(QWidget& control, const QString& value) {
    if (control.property(ValueProperty).toString() == value)
        return;
    control.setProperty(ValueProperty, value);
    control.setAccessibleDescription(value);
    QAccessibleValueChangeEvent change(&control, value);
    QAccessible::updateAccessibility(&change);
}

} // namespace Accessibility
