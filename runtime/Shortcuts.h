#ifndef VARNEL_RUNTIME_SHORTCUTS_H
#define VARNEL_RUNTIME_SHORTCUTS_H

#include <QKeySequence>
#include <functional>

class QWidget;

// Keyboard shortcuts of the whole program: they work in any of its windows (a window of its own,
// as well as the main one) unless a modal dialog is open.
namespace Shortcuts {

void Add(QWidget& owner, const QKeySequence& keys, std::function<void()> action);
// Lets the program's shortcuts win over a text field's own use of the same keys (a line edit's
// undo, say), except the keys `keeps` claims for the field at the time. Where no shortcut of the
// program is active, the field still gets the keys.
void PreferOver(QWidget& field, std::function<bool(const QKeySequence&)> keeps = {});

} // namespace Shortcuts

#endif
