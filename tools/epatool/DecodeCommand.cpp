// epatool decode: a logo drawn as the BIOS shows it, as a picture to look at.
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "tools/epatool/Command.h"
#include "tools/epatool/LogoInput.h"
#include "tools/epatool/Options.h"
#include "tools/epatool/QtApplication.h"
#include "tools/epatool/RomCommand.h"
#include "tools/epatool/Streams.h"
#include "tools/epatool/UsageError.h"

#include <QBuffer>
#include <QFileInfo>

namespace {

QByteArray Encoded(const TBitmap& bitmap, const QString& format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (format == "bmp")
        bitmap.SaveToStream(buffer);
    else if (!bitmap.Image().save(&buffer, "png"))
        throw Exception(QStringLiteral("Cannot make a PNG of the logo."));
    return buffer.data();
}

// PNG when asked for or when the name ends in .png; otherwise, standard output included, BMP.
QString OutputFormat(const TOptions& options, const QString& output) {
    if (const std::optional<QString> format = options.Value("--output-format"))
        return ParseChoice("--output-format", *format, {"bmp", "png"});
    return QFileInfo(output).suffix().toLower() == "png" ? "png" : "bmp";
}

int Decode(const QStringList& args) {
    const TOptions options(args, {"--emblem"}, {"--output-format"});
    if (options.Names().size() != 2)
        throw UsageError{QStringLiteral("decode takes a logo and an output picture")};
    const QString& output = options.Names()[1];
    if (options.Flag("--emblem")) {
        TQtApplication::Start(TQtNeeds::Core);
        RomCommand::DecodeWithEmblem(options.Names()[0], output);
        return 0;
    }
    const QString format = OutputFormat(options, output);
    TQtApplication::Start(TQtNeeds::Core);
    const TLogo logo = ReadLogo(options.Names()[0]);
    RefuseExisting(output);
    const TBitmap shown = std::visit([](const auto& l) { return l.Render(); }, logo);
    WriteOutput(output, Encoded(shown, format));
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
