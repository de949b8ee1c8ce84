#include "rom/LogoReplacement.h"

#include "logo/EpaFormat.h"
#include "rom/AwardImage.h"
#include "rom/LzhError.h"
#include "rom/RomLogo.h"
#include "runtime/LocalFiles.h"
#include "runtime/StreamBytes.h"

#include <QFileInfo>

namespace {

QString ModuleName(const TRomModule& module) {
    return QStringLiteral("the module \"%1\" at 0x%2")
        .arg(QString::fromLatin1(module.member.Name()))
        .arg(module.offset, 0, 16);
}

QByteArray Unpacked(const TRomModule& module, const QString& name) {
    try {
        return module.member.Unpack();
    } catch (const ELzhError& e) {
        throw Exception(
            QStringLiteral("\"%1\": %2 is damaged: %3").arg(name, ModuleName(module), e.Message()));
    }
}

void CheckKinds(const TRomLogo& stock, const TRomLogo& logo, const QString& logoName,
                const TReplaceOptions& options) {
    if (logo.Kind() == TRomLogo::TKind::Other)
        throw Exception(QStringLiteral("\"%1\" is neither an EPA nor an AWBM logo.").arg(logoName));
    if (logo.Kind() != stock.Kind() && !options.kindChange)
        throw Exception(QStringLiteral("\"%1\" is an %2 logo but the image holds an %3 (%4); a "
                                       "board expects the kind it shipped with. Give "
                                       "--kind-change to write it all the same.")
                            .arg(logoName, TRomLogo::KindName(logo.Kind()),
                                 TRomLogo::KindName(stock.Kind()), stock.Describe()));
}

// The new logo's cells and glyphs, then the trailing bytes the stock logo had.
QByteArray WithEmblem(const QByteArray& stock, const TRomLogo& stockLogo, const QByteArray& logo,
                      const TRomLogo& newLogo, const TReplaceOptions& options) {
    if (newLogo.Kind() != TRomLogo::TKind::Epa || stockLogo.Kind() != TRomLogo::TKind::Epa ||
        !stockLogo.HasTrailer())
        return logo;
    const qint64 body = EpaFormat::HeaderSize +
                        qint64(newLogo.Columns()) * newLogo.Rows() * EpaFormat::BytesPerCell;
    const QByteArray emblem = options.blankEmblem ? QByteArray(EpaFormat::TrailerSize, '\0')
                                                  : stock.right(EpaFormat::TrailerSize);
    return logo.left(body) + emblem;
}

// How to make a logo of the stock size, where the encoder can.
QString StockSizeHint(const TRomLogo& stock) {
    if (stock.Columns() > LogoGeometry::Columns || stock.Rows() > LogoGeometry::Rows)
        return {};
    return QStringLiteral("; make one of the stock size with epatool encode PICTURE LOGO.epa "
                          "--cells %1x%2")
        .arg(stock.Columns())
        .arg(stock.Rows());
}

QStringList Warnings(const TRomLogo& stock, const TRomLogo& logo) {
    QStringList warnings;
    if (stock.Kind() == TRomLogo::TKind::Epa && logo.Kind() == TRomLogo::TKind::Epa &&
        (stock.Columns() != logo.Columns() || stock.Rows() != logo.Rows()))
        warnings << QStringLiteral("the new logo has %1 x %2 cells, the stock one %3 x %4: the "
                                   "BIOS may draw it cut or misplaced%5")
                        .arg(logo.Columns())
                        .arg(logo.Rows())
                        .arg(stock.Columns())
                        .arg(stock.Rows())
                        .arg(StockSizeHint(stock));
    if (stock.Kind() == TRomLogo::TKind::Awbm && logo.Kind() == TRomLogo::TKind::Awbm &&
        (stock.Width() != logo.Width() || stock.Height() != logo.Height()))
        warnings << QStringLiteral("the new logo is %1 x %2 pixels, the stock one %3 x %4")
                        .arg(logo.Width())
                        .arg(logo.Height())
                        .arg(stock.Width())
                        .arg(stock.Height());
    return warnings;
}

} // namespace

QByteArray LogoReplacement::UnpackedModule(const TAwardImage& image, int index) {
    return Unpacked(image.Modules()[std::size_t(index)], image.Name());
}

void LogoReplacement::CheckModules(const TAwardImage& image) {
    for (const TRomModule& module : image.Modules())
        Unpacked(module, image.Name());
}

TReplacement LogoReplacement::Replace(const TAwardImage& image, const QByteArray& logo,
                                      const QString& logoName, const TReplaceOptions& options) {
    if (image.LogoIndex() < 0)
        throw Exception(
            QStringLiteral("\"%1\" holds no logo module (type 0x4002).").arg(image.Name()));
    CheckModules(image);
    const TRomModule& stockModule = image.Modules()[std::size_t(image.LogoIndex())];
    const QByteArray stock = stockModule.member.Unpack();
    const TRomLogo stockLogo = TRomLogo::Identify(stock);
    const TRomLogo newLogo = TRomLogo::Identify(logo);
    CheckKinds(stockLogo, newLogo, logoName, options);
    TReplacement result;
    result.warnings = Warnings(stockLogo, newLogo);
    result.logo = WithEmblem(stock, stockLogo, logo, newLogo, options);
    const TLzhMember& old = stockModule.member;
    const TLzhMember member =
        TLzhMember::Pack(old.Name(), result.logo, old.Method(), old.Time(), old.Type());
    try {
        result.image = image.Replaced(image.LogoIndex(), member);
    } catch (const Exception& e) {
        throw Exception(QStringLiteral("\"%1\": %2.").arg(image.Name(), e.Message()));
    }
    return result;
}

void LogoReplacement::RefuseExisting(const QString& output) {
    if (QFileInfo::exists(output) || QFileInfo(output).isSymLink())
        throw Exception(
            QStringLiteral("\"%1\" already exists; choose another name or remove it.").arg(output));
}

TWrittenImage LogoReplacement::WriteCopy(const TAwardImage& image, const QByteArray& logo,
                                         const QString& logoName, const QString& output,
                                         const TReplaceOptions& options) {
    RefuseExisting(output);
    const TReplacement result = Replace(image, logo, logoName, options);
    LocalFiles::WriteNewFile(output, result.image, [&](const QString& written) {
        const std::optional<QByteArray> back = ReadFileAtMost(written, TAwardImage::MaxSize);
        if (!back || *back != result.image)
            throw Exception(QStringLiteral("\"%1\" did not read back as written; nothing was "
                                           "written.")
                                .arg(output));
        Verify(image, *back, result.logo, output);
    });
    const TAwardImage written = TAwardImage::Parse(result.image, output);
    const TLzhMember& member = written.Modules()[std::size_t(written.LogoIndex())].member;
    return {output,
            member.Name(),
            TRomLogo::Identify(result.logo),
            member.UnpackedSize(),
            member.Packed().size(),
            written.FreeSpaceAfter(written.LogoIndex()),
            written.ChecksumRule(),
            result.warnings};
}

void LogoReplacement::Verify(const TAwardImage& input, const QByteArray& written,
                             const QByteArray& logo, const QString& name) {
    const TAwardImage output = TAwardImage::Parse(written, name);
    const std::vector<TRomModule>& before = input.Modules();
    const std::vector<TRomModule>& after = output.Modules();
    if (after.size() != before.size() || output.LogoIndex() != input.LogoIndex())
        throw Exception(QStringLiteral("\"%1\" does not hold the input's modules.").arg(name));
    for (std::size_t i = 0; i < after.size(); ++i) {
        const QByteArray data = Unpacked(after[i], name);
        const int logoIndex = input.LogoIndex();
        // Only the logo and the modules after it in its chain may move.
        const bool mayMove =
            int(i) >= logoIndex && before[i].region == before[std::size_t(logoIndex)].region;
        const bool same =
            (mayMove || after[i].offset == before[i].offset) &&
            (int(i) == logoIndex ? data == logo && after[i].member.Name() == before[i].member.Name()
                                 : after[i].member.Bytes() == before[i].member.Bytes());
        if (!same)
            throw Exception(QStringLiteral("\"%1\": %2 differs from what was meant to be written.")
                                .arg(name, ModuleName(after[i])));
    }
    if (output.Blocks() != input.Blocks())
        throw Exception(
            QStringLiteral("\"%1\": the decompression or boot block changed.").arg(name));
    if (output.Checksum() != input.Checksum())
        throw Exception(QStringLiteral("\"%1\": the image checksum does not hold.").arg(name));
}
