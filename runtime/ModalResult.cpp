#include "runtime/ModalResult.h"

#include <QDialog>
#include <QVariant>

namespace {

constexpr char kProperty[] = "modalResult";

} // namespace

void SetModalResult(QWidget& window, int result) {
    auto* dialog = qobject_cast<QDialog*>(&window);
    if (!dialog) {
        window.setProperty(kProperty, result);
        return;
    }
    if (result != 0 && dialog->isVisible() && dialog->isModal())
        dialog->done(result);
    else
        dialog->setResult(result);
}

int ModalResult(const QWidget& window) {
    if (const auto* dialog = qobject_cast<const QDialog*>(&window))
        return dialog->result();
    return window.property(kProperty).toInt();
}
