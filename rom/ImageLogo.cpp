#include "rom/ImageLogo.h"

#include "logo/EpaLogo.h"
#include "rom/AwardImage.h"
#include "rom/LogoReplacement.h"
#include "rom/RomLogo.h"
#include "runtime/Exception.h"

#include <QFileInfo>

bool ImageLogo::IsImageName(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == "bin" || suffix == "rom" || suffix == "awd";
}

namespace {

// The EPA logo of the image's logo module; `refusal` ends the message for any other content.
QByteArray StockEpa(const TAwardImage& image, const QString& refusal) {
    const QString name = QFileInfo(image.Name()).fileName();
    if (image.LogoIndex() < 0)
        throw Exception(QStringLiteral("The BIOS image \"%1\" holds no logo module.").arg(name));
    const QByteArray logo = LogoReplacement::UnpackedModule(image, image.LogoIndex());
    const TRomLogo kind = TRomLogo::Identify(logo);
    if (kind.Kind() != TRomLogo::TKind::Epa)
        throw Exception(QStringLiteral("The BIOS image \"%1\" holds an %2, not an EPA logo; %3")
                            .arg(name, kind.Describe(), refusal));
    return logo;
}

} // namespace

QByteArray ImageLogo::ReadEpa(const QString& fileName) {
    return StockEpa(TAwardImage::Read(fileName),
                    QStringLiteral("the editor opens EPA logos only."));
}

TEpaLogo ImageLogo::AtStockSize(const TAwardImage& image, const TEpaLogo& logo) {
    const TEpaLogo stock = TEpaLogo::Parse(
        StockEpa(image, QStringLiteral("a board expects the kind of logo it shipped with, so "
                                       "the editor's EPA logo is not written into it.")),
        image.Name());
    return logo.Cropped(stock.Columns(), stock.Rows());
}
