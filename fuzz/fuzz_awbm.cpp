// Any bytes offered as a full-screen logo: either refused with a message, or read, drawn, and
// written back to the very same bytes.
#include "logo/AwbmLogo.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const TAwbmLogo logo = TAwbmLogo::Parse(bytes, QStringLiteral("fuzz.awbm"));
        const TBitmap shown = logo.Render();
        if (shown.Width() != logo.Width() || shown.Height() != logo.Height())
            std::abort();
        // Only the unused bits after a 16-colour row's last pixel may differ.
        const QByteArray again = logo.Bytes();
        if (again.size() != bytes.size() ||
            TAwbmLogo::Parse(again, QStringLiteral("again")).Indices() != logo.Indices() ||
            (logo.Colors() == 256 && again != bytes))
            std::abort();
    } catch (const Exception&) {
    }
    return 0;
}
