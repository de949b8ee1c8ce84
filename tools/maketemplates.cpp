// Writes the two template bitmaps New reloads: the blank drawing "zembmp.bmp" (137 × 127,
// 1 bit, black) and the blank preview "zemepa.bmp" (153 × 135, 4 bits, black cells framed by
// silver grid lines), into the folder named on the command line.
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

TBitmap BlankPreview() {
    TBitmap preview(153, 135, TPixelFormat::pf4bit, StandardPalette16());
    TCanvas& canvas = preview.Canvas();
    for (int y = 0; y < preview.Height(); ++y)
        for (int x = 0; x < preview.Width(); ++x)
            if (x % 9 == 8 || y % 15 == 14)
                canvas.SetPixel(x, y, clSilver);
    return preview;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: maketemplates FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    try {
        TBitmap(137, 127, TPixelFormat::pf1bit).SaveToFile(dir.filePath("zembmp.bmp"));
        BlankPreview().SaveToFile(dir.filePath("zemepa.bmp"));
    } catch (const Exception& e) {
        std::fprintf(stderr, "maketemplates: %s\n", qPrintable(e.Message()));
        return 1;
    }
    return 0;
}
