#include "tools/epatool/LogoPicture.h"

#include "logo/AwbmLogo.h"
#include "logo/EpaFormat.h"
#include "logo/EpaLogo.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "runtime/LocalFiles.h"

#include <QBuffer>
#include <QFileInfo>
#include <algorithm>

void LogoPicture::Write(const TBitmap& bitmap, const QString& output) {
    if (QFileInfo(output).suffix().toLower() != "png") {
        bitmap.SaveToFile(output);
        return;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!bitmap.Image().save(&buffer, "png"))
        throw Exception(QStringLiteral("Cannot make a PNG of the logo."));
    LocalFiles::WriteNewFile(output, buffer.data());
}

TBitmap LogoPicture::WithEmblem(const TEpaLogo& logo, const QByteArray& trailer) {
    using namespace LogoGeometry;
    constexpr int Characters = EpaFormat::TrailerSize / CellHeight;
    const TBitmap drawn = logo.Render();
    const QImage above = drawn.Image();
    TBitmap bitmap(std::max(above.width(), Characters * CellWidth), above.height() + CellHeight,
                   TPixelFormat::pf4bit, drawn.Palette());
    QImage image = bitmap.Image();
    image.fill(0);
    for (int y = 0; y < above.height(); ++y)
        for (int x = 0; x < above.width(); ++x)
            image.setPixel(x, y, above.pixelIndex(x, y));
    for (int c = 0; c < Characters; ++c)
        for (int line = 0; line < CellHeight; ++line) {
            const std::uint8_t bits = std::uint8_t(trailer.at(c * CellHeight + line));
            for (int x = 0; x < CellWidth; ++x)
                if (bits & (0x80 >> x))
                    image.setPixel(c * CellWidth + x, above.height() + line, 15);
        }
    bitmap.SetImage(image);
    return bitmap;
}

TBitmap LogoPicture::Render(const QByteArray& logo, const QString& name) {
    if (TAwbmLogo::HasSignature(logo))
        try {
            return TAwbmLogo::Parse(logo, name).Render();
        } catch (const Exception&) {
            // An EPA logo of 65 x 87 cells begins with "AWBM" too.
        }
    return TEpaLogo::Parse(logo, name).Render();
}
