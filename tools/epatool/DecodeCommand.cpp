// epatool decode: a logo drawn as the BIOS shows it, as a picture to look at. On Qt Core alone.
#include "runtime/Exception.h"
#include "tools/epatool/Command.h"
#include "tools/epatool/LogoInput.h"
#include "tools/epatool/LogoPicture.h"
#include "tools/epatool/Options.h"
#include "tools/epatool/QtApplication.h"
#include "tools/epatool/Streams.h"
#include "tools/epatool/UsageError.h"

namespace {

// PNG when asked for or when the name ends in .png; otherwise, standard output included, BMP.
QString OutputFormat(const TOptions& options, const QString& output) {
    if (const std::optional<QString> format = options.Value("--output-format"))
        return ParseChoice("--output-format", *format, {"bmp", "png"});
    return LogoPicture::FormatFor(output);
}

TIndexedPicture WithEmblem(const QString& input) {
    const QString name = InputName(input);
    const std::optional<QByteArray> bytes = ReadInput(input, TEpaLogo::LargestFile);
    if (!bytes)
        throw Exception(
            QStringLiteral("\"%1\" is not an EPA logo file: it is too long.").arg(name));
    const TEpaLogo logo = TEpaLogo::Parse(*bytes, name);
    if (!logo.HasTrailer())
        throw Exception(QStringLiteral("\"%1\" has no 70 trailing bytes to draw.").arg(name));
    return LogoPicture::WithEmblem(logo, bytes->right(EpaFormat::TrailerSize));
}

int Decode(const QStringList& args) {
    const TOptions options(args, {"--emblem"}, {"--output-format"});
    if (options.Names().size() != 2)
        throw UsageError{QStringLiteral("decode takes a logo and an output picture")};
    const QString& input = options.Names()[0];
    const QString& output = options.Names()[1];
    const QString format = OutputFormat(options, output);
    TQtApplication::Start(TQtNeeds::Core);
    const TIndexedPicture shown =
        options.Flag("--emblem") ? WithEmblem(input) : LogoPicture::Shown(ReadLogo(input));
    RefuseExisting(output);
    WriteOutput(output, LogoPicture::Encoded(shown, format));
    return 0;
}

} // namespace

const TCommand DecodeCommand = {
    "decode", "draw a logo as the BIOS shows it",
    "usage: epatool decode LOGO PICTURE [--output-format bmp|png] [--emblem]\n"
    "  Draw an EPA logo of any cell count, or an AWBM logo of either depth, as the BIOS shows it\n"
    "  (a file beginning with \"AWBM\" is read as AWBM). PICTURE is a PNG when its name ends in\n"
    "  .png, else a BMP; --output-format chooses. \"-\" reads standard input or writes standard\n"
    "  output. An existing PICTURE is never overwritten. --emblem draws an EPA logo's 70\n"
    "  trailing bytes (the emblem the BIOS shows beside it) as five characters under it.\n",
    Decode};
