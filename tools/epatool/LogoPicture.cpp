#include "tools/epatool/LogoPicture.h"

#include "logo/EpaFormat.h"
#include "logo/LogoGeometry.h"
#include "runtime/BmpFile.h"
#include "runtime/LocalFiles.h"
#include "runtime/PngFile.h"

#include <QFileInfo>
#include <algorithm>

QString LogoPicture::FormatFor(const QString& output) {
    return QFileInfo(output).suffix().toLower() == "png" ? "png" : "bmp";
}

QByteArray LogoPicture::Encoded(const TIndexedPicture& picture, const QString& format) {
    return format == "png" ? PngFile::Indexed(picture) : BmpFile::Indexed(picture);
}

void LogoPicture::Write(const TIndexedPicture& picture, const QString& output) {
    LocalFiles::WriteNewFile(output, Encoded(picture, FormatFor(output)));
}

TIndexedPicture LogoPicture::Shown(const TLogo& logo) {
    return std::visit([](const auto& l) { return l.Shown(); }, logo);
}

TIndexedPicture LogoPicture::WithEmblem(const TEpaLogo& logo, const QByteArray& trailer) {
    using namespace LogoGeometry;
    constexpr int Characters = EpaFormat::TrailerSize / CellHeight;
    constexpr std::uint8_t White = 15;
    const TIndexedPicture above = logo.Shown();
    TIndexedPicture picture{std::max(above.width, Characters * CellWidth),
                            above.height + CellHeight,
                            above.palette,
                            {}};
    picture.indices.assign(std::size_t(picture.width) * std::size_t(picture.height), 0);
    for (int y = 0; y < above.height; ++y)
        for (int x = 0; x < above.width; ++x)
            picture.At(x, y) = above.At(x, y);
    for (int c = 0; c < Characters; ++c)
        for (int line = 0; line < CellHeight; ++line) {
            const auto bits = std::uint8_t(trailer.at(c * CellHeight + line));
            for (int x = 0; x < CellWidth; ++x)
                if (bits & (0x80 >> x))
                    picture.At(c * CellWidth + x, above.height + line) = White;
        }
    return picture;
}
