#ifndef VARNEL_RUNTIME_CURSORS_H
#define VARNEL_RUNTIME_CURSORS_H

#include <QCursor>
#include <QString>

// Cursor numbers: the platform's own cursors have numbers of zero and below, the program's own
// hands numbers from 15000.
enum TCursor : int {
    crDefault = 0,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crUpArrow = -10,
    crHandPoint = -21,
    crProHandPoint = 15000,
    crProSmallHandPoint = 15001,
    crProGrabHand = 15002,
    crProGrabHandArrow = 15003,
    crProDragHand = 15004,
};

// The cursor table. A picture installed under a number replaces what the number showed until
// then: the platform's shape, or for the program's hands the desktop's nearest one. A control
// takes its cursor when it is made, so the program installs its pictures at start.
class TCursors {
public:
    // The cursor of that number; an unknown number gives the arrow.
    static QCursor Get(int id);
    // Installs the cursor resource `resourceName` under `id`; false, and nothing installed,
    // when there is no such resource or it is not a cursor picture.
    static bool InstallResource(int id, const QString& resourceName);
    // Takes back any cursor a command put over the whole program, such as the hourglass.
    static void ResetScreenCursor();
};

#endif
