#include "editor/Main.h"
#include "formats/Icon.h"
#include "formats/Metafile.h"
#include "gif/GIFImage.h"
#include "runtime/Application.h"

#include <QScreen>

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    RegisterGIFImage();
    RegisterIcon();
    RegisterMetafile();
    TMainForm form;
    form.show();
    if (const QScreen* screen = form.screen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    return app.exec();
}
