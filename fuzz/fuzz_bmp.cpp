// Any bytes offered as a bitmap, whole or its top-left part: either refused with "Bitmap image is
// not valid", or loaded and converted as the editor and epatool would, without touching memory
// outside the pictures.
#include "logo/Conversion.h"
#include "logo/LogoGeometry.h"
#include "logo/Templates.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A header may declare a huge picture in a few bytes; the fuzzer should measure the reader.
    QImageReader::setAllocationLimit(64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The top rows alone, as the window reads its backdrop: a header's height and row size
    // decide which bytes are cut out.
    try {
        TBitmap part;
        part.LoadTopLeft(bytes, QSize(17, 9));
    } catch (const Exception&) {
    }
    TBitmap bitmap;
    try {
        bitmap.LoadFromBytes(bytes);
    } catch (const Exception&) {
        return 0;
    }
    static QTemporaryDir work;
    TBitmap preview = Templates::BlankPreview();
    // The editor converts the loaded bitmap as it is; epatool first draws it on a logo-sized
    // one, whose conversion reads nothing of the file any more. One conversion an input keeps
    // each under the run's time limit.
    ConvertDrawing(bitmap, preview, QDir(work.path()), {});
    TBitmap drawing(LogoGeometry::Width, LogoGeometry::Height, TPixelFormat::pf24bit);
    drawing.Canvas().Draw(0, 0, bitmap);
    return 0;
}
