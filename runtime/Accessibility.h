#ifndef VARNEL_RUNTIME_ACCESSIBILITY_H
#define VARNEL_RUNTIME_ACCESSIBILITY_H

#include <QAccessible>
#include <QString>

class QWidget;

// What a screen reader hears of a control. Our own controls draw themselves, so Qt would tell
// them all apart only as plain widgets: the window gives each its role here. A control without
// a name of its own is named by its caption, so that the name follows the window's language.
namespace Accessibility {

// For our own controls (TControl); Qt's own widgets have theirs.
void SetRole(QWidget& control, QAccessible::Role role);
// The control's value as read aloud (the colour a grid has picked, say); a change is announced
// to whatever listens.
void SetValue(QWidget& control, const QString& value);

} // namespace Accessibility

#endif
