// Any bytes offered as an icon: either refused with "Icon image is not valid", or loaded and
// drawn as the editor and epatool draw it, without touching memory outside the pictures.
#include "pictures/Icon.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TIcon icon;
    try {
        icon.LoadFromBytes(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    } catch (const Exception&) {
        return 0;
    }
    TBitmap drawing(136, 126, TPixelFormat::pf24bit);
    drawing.Canvas().Draw(0, 0, icon);
    return 0;
}
