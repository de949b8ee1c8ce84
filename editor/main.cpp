#include "editor/Main.h"
#include "controls/ControlCursors.h"
#include "gif/GIFImage.h"
#include "pictures/Icon.h"
#include "pictures/Metafile.h"
#include "runtime/Application.h"
#include "runtime/LocalFiles.h"

#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {

const char* const Usage =
    "usage: varnel [FILE]\n"
    "       varnel --help | --version\n"
    "Draws and colours the boot logo of Award BIOS 4.5x and saves it as an EPA file.\n"
    "FILE opens as Load EPA opens it when its name ends in .epa, else as Load BMP opens a\n"
    "picture (BMP, GIF, ICO, JPEG, PNG, EMF, WMF).\n";

// Answered before any window is made: asking for help needs no display.
int AnswerWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("varnel %s\n", VARNEL_VERSION);
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (const int answered = AnswerWithoutWindow(argc, argv); answered >= 0)
        return answered;
    TApplication app(argc, argv);
    // Qt has taken its own options out of argv; what is left is ours.
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "varnel: unknown arguments\n%s", Usage);
        return 2;
    }
    RegisterGIFImage();
    RegisterIcon();
    RegisterMetafile();
    InstallControlCursors();
    TMainForm form;
    form.show();
    if (const QScreen* screen = form.screen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    // Opened from the event loop, so that a bad file shows the command's own error box.
    if (argc == 2)
        QTimer::singleShot(0, &form, [&form, name = QByteArray(argv[1])] {
            form.Open(LocalFiles::DecodedName(name));
        });
    return app.exec();
}
