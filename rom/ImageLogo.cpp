#include "rom/ImageLogo.h"

#include "rom/AwardImage.h"
#include "rom/LogoReplacement.h"
#include "rom/RomLogo.h"
#include "runtime/Exception.h"

#include <QFileInfo>

bool ImageLogo::IsImageName(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == "bin" || suffix == "rom" || suffix == "awd";
}

QByteArray ImageLogo::ReadEpa(const QString& fileName) {
    const TAwardImage image = TAwardImage::Read(fileName);
    const QString name = QFileInfo(fileName).fileName();
    if (image.LogoIndex() < 0)
        throw Exception(QStringLiteral("The BIOS image \"%1\" holds no logo module.").arg(name));
    const QByteArray logo = LogoReplacement::UnpackedModule(image, image.LogoIndex());
    const TRomLogo kind = TRomLogo::Identify(logo);
    if (kind.Kind() != TRomLogo::TKind::Epa)
        throw Exception(QStringLiteral("The BIOS image \"%1\" holds an %2, not an EPA logo; the "
                                       "editor opens EPA logos only.")
                            .arg(name, kind.Describe()));
    return logo;
}
