#include "tools/epatool/CoreEncode.h"

#include "logo/Quantizer.h"
#include "runtime/PngReader.h"
#include "tools/epatool/EncodeOptions.h"
#include "tools/epatool/NamedFailure.h"
#include "tools/epatool/Streams.h"
#include "tools/epatool/UsageError.h"

#include <QFileInfo>

namespace {

// A full-screen logo's PNG is at most some megabytes; a larger file is epatool-full's to read.
constexpr qint64 LargestPng = qint64(16) << 20;

std::optional<EncodeOptions> Parsed(const QStringList& args) {
    try {
        return ParseEncode(args);
    } catch (const UsageError&) {
        return std::nullopt;
    }
}

bool IsPng(const EncodeOptions& options) {
    const QString kind = options.inputFormat.value_or(QFileInfo(options.files[0]).suffix());
    return kind.toLower() == QLatin1String("png");
}

// What the picture's own size and pixels make: one named PNG and its logo's depth and dithering.
bool OnCore(const EncodeOptions& options) {
    return options.format == TLogoFormat::Awbm && !options.outDir && !options.size &&
           !IsStandardStream(options.files[0]) && IsPng(options);
}

// The logo's bytes, when the file is a picture the reader here takes whole. A file that cannot be
// opened or read, or a picture there is no memory for, is left to epatool-full, which reports it
// as it always does.
std::optional<QByteArray> LogoOf(const QString& name, const EncodeOptions& options) {
    try {
        const std::optional<QByteArray> bytes = ReadInput(name, LargestPng);
        if (!bytes)
            return std::nullopt;
        const std::optional<TRgbPicture> picture =
            PngReader::OpaquePixels(*bytes, TAwbmLogo::MaxWidth, TAwbmLogo::MaxHeight);
        if (!picture)
            return std::nullopt;
        return Quantize(picture->Rows(), options.AwbmColors(), options.logo.Dithered()).Bytes();
    } catch (const Exception&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<int> EncodeOnCore(const QStringList& args) {
    const std::optional<EncodeOptions> options = Parsed(args);
    if (!options || !OnCore(*options))
        return std::nullopt;
    // As epatool-full encodes, with the same refusals in the same order and the same messages.
    try {
        RefuseExisting(options->files[1]);
        const std::optional<QByteArray> logo = LogoOf(options->files[0], *options);
        if (!logo)
            return std::nullopt;
        WriteOutput(options->files[1], *logo);
    } catch (const Exception& failure) {
        throw Named(options->files[0], options->files[1], failure);
    }
    return 0;
}
