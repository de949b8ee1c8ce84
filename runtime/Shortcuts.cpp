#include "runtime/Shortcuts.h"

#include <QKeyEvent>
#include <QList>
#include <QShortcut>
#include <QWidget>

namespace {

QList<QKeySequence>& Added() {
    static QList<QKeySequence> keys;
    return keys;
}

// A text field asks first whether it wants a key for itself; for the program's shortcuts it
// is told no, so that the shortcut runs.
class TShortcutOverride : public QObject {
public:
    TShortcutOverride(QObject* parent, std::function<bool(const QKeySequence&)> keeps)
        : QObject(parent), keeps_(std::move(keeps)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return QObject::eventFilter(watched, event);
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        if (!Added().contains(pressed) || (keeps_ && keeps_(pressed)))
            return false;
        event->ignore();
        return true;
    }

private:
    std::function<bool(const QKeySequence&)> keeps_;
};

} // namespace

namespace Shortcuts {

void Add(QWidget& owner, const QKeySequence& keys, std::function<void()> action) {
    auto* shortcut = new QShortcut(keys, &owner);
    shortcut->setContext(Qt::ApplicationShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &owner, std::move(action));
    if (!Added().contains(keys))
        Added().append(keys);
}

void PreferOver(QWidget& field, std::function<bool(const QKeySequence&)> keeps) {
    field.installEventFilter(new TShortcutOverride(&field, std::move(keeps)));
}

} // namespace Shortcuts
