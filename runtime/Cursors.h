#ifndef VARNEL_RUNTIME_CURSORS_H
#define VARNEL_RUNTIME_CURSORS_H

#include <QCursor>

// The program's own cursors, by number, beside the platform's.
enum TCursor : int {
    crDefault = 0,
    crProHandPoint = 15000,
    crProSmallHandPoint = 15001,
    crProGrabHand = 15002,
    crProGrabHandArrow = 15003,
    crProDragHand = 15004,
};

// The cursor table: filled once, on first use, with the program's own cursors.
class TCursors {
public:
    // The cursor of that number; an unknown number gives the arrow.
    static QCursor Get(int id);
};

#endif
