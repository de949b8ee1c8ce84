#ifndef VARNEL_RUNTIME_SCREEN_H
#define VARNEL_RUNTIME_SCREEN_H

#include <QRect>
#include <QSize>

// The screen the program's windows come up on.
class TScreen {
public:
    // Logical pixels per inch, to which layouts made for another resolution are scaled.
    static int PixelsPerInch();
    // Tests lay windows out for a resolution of their choosing; 0 gives the screen's back.
    static void SetPixelsPerInch(int pixelsPerInch);
    // Where a window with that client size stands in the middle of the screen that shows the
    // active window (the primary screen when none is active).
    static QRect Centered(const QSize& size);

private:
    static int& ChosenPixelsPerInch();
};

#endif
