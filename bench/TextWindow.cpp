// The start-up benchmark's second yardstick: a window of the given size that shows one line in
// the editor's own font, and nothing else. Beside the bare window it shows what any window with
// text pays before its first frame: setting up the font list and loading a font.

#include "runtime/Fonts.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Yeni"));
    window.setFont(MakeFont(QStringLiteral("MS Sans Serif"), 11));
    window.resize(argc > 2 ? atoi(argv[1]) : 640, argc > 2 ? atoi(argv[2]) : 480);
    window.show();
    return app.exec();
}
