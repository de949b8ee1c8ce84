// Writes the two template bitmaps New reloads, "zembmp.bmp" and "zemepa.bmp", into the folder
// named on the command line (the copies shipped in resources/templates come from here).
#include "logo/Templates.h"
#include "logo/WorkingFiles.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: maketemplates FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    try {
        Templates::BlankDrawing().SaveToFile(dir.filePath(WorkingFiles::DrawingTemplate));
        Templates::BlankPreview().SaveToFile(dir.filePath(WorkingFiles::PreviewTemplate));
    } catch (const Exception& e) {
        std::fprintf(stderr, "maketemplates: %s\n", qPrintable(e.Message()));
        return 1;
    }
    return 0;
}
