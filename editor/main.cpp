#include "editor/Main.h"
#include "controls/ControlCursors.h"
#include "gif/GIFImage.h"
#include "pictures/Icon.h"
#include "pictures/Metafile.h"
#include "runtime/Application.h"

#include <QScreen>

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    RegisterGIFImage();
    RegisterIcon();
    RegisterMetafile();
    InstallControlCursors();
    TMainForm form;
    form.show();
    if (const QScreen* screen = form.screen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    return app.exec();
}
