// Any bytes offered as an EPA logo: either refused with a message, or read and drawn completely.
#include "logo/EpaLogo.h"
#include "logo/LogoGeometry.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const TEpaLogo logo = TEpaLogo::Parse(bytes, QStringLiteral("fuzz.epa"));
        const TBitmap shown = logo.Render();
        if (shown.Width() != logo.Columns() * LogoGeometry::CellWidth ||
            shown.Height() != logo.Rows() * LogoGeometry::CellHeight)
            std::abort();
    } catch (const Exception&) {
    }
    return 0;
}
