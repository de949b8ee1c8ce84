#ifndef VARNEL_RUNTIME_CURSORS_H
#define VARNEL_RUNTIME_CURSORS_H

#include <QCursor>
#include <QString>

// Cursor numbers: the platform's own cursors have numbers of zero and below; a program adds
// pictures of its own under positive numbers, or puts one in place of a platform cursor.
enum TCursor : int {
    crDefault = 0,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crUpArrow = -10,
    crHandPoint = -21
};

// The cursor shown for `number`: the picture installed under it, else the platform's shape
// (the arrow for a number nobody installed).
QCursor ScreenCursor(int number);
// Installs the cursor resource `resourceName` under `number`, for every control that asks for
// that number afterwards; false (and nothing installed) when there is no such resource or it is
// not a cursor picture.
bool InstallCursorResource(int number, const QString& resourceName);

// Takes back any cursor a command put over the whole program, such as the hourglass.
void ResetScreenCursor();

#endif
