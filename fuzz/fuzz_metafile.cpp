// Any bytes offered as an enhanced or Windows metafile: either refused with "Metafile is not
// valid", or loaded and drawn as the editor and epatool draw it (at its own size, cut to the
// logo, on a true-colour and on a 1-bit bitmap) and stretched small, without touching memory
// outside the pictures and without running away with time or memory whatever the records claim.
#include "pictures/Metafile.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"

#include <QGuiApplication>
#include <cstdint>

// Qt 6.4 loses the fallback fonts fontconfig matches for characters a font lacks, and fontconfig
// keeps its parsed configuration to the end: fontconfig's own objects, which no code of ours
// allocates.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Text records need fonts, and fonts need an application; no screen is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMetafile metafile;
    try {
        metafile.LoadFromBytes(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    } catch (const Exception&) {
        return 0;
    }
    TBitmap drawing(136, 126, TPixelFormat::pf24bit);
    drawing.Canvas().Draw(0, 0, metafile);
    TBitmap mono(137, 127, TPixelFormat::pf1bit);
    mono.Canvas().Draw(0, 0, metafile);
    drawing.Canvas().StretchDraw(QRect(3, 5, 17, 9), metafile);
    return 0;
}
