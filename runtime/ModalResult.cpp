#include "runtime/ModalResult.h"

#include <QDialog>
#include <QVariant>

namespace {

constexpr char kProperty[] = "modalResult";

} // namespace

void SetModalResult(QWidget& window, TModalResult result) {
    auto* dialog = qobject_cast<QDialog*>(&window);
    if (!dialog) {
        window.setProperty(kProperty, static_cast<int>(result));
        return;
    }
    if (result != mrNone && dialog->isVisible() && dialog->isModal())
        dialog->done(result);
    else
        dialog->setResult(result);
}

TModalResult ModalResult(const QWidget& window) {
    if (const auto* dialog = qobject_cast<const QDialog*>(&window))
        return static_cast<TModalResult>(dialog->result());
    return static_cast<TModalResult>(window.property(kProperty).toInt());
}
