// epatool: the editor's conversion and save for scripted BIOS builds, and a way to look at a
// finished logo without a BIOS.
#include "formats/ColorTable.h"
#include "formats/Conversion.h"
#include "formats/EpaFormat.h"
#include "formats/EpaLogo.h"
#include "formats/EpaSave.h"
#include "formats/Icon.h"
#include "formats/LogoGeometry.h"
#include "formats/Metafile.h"
#include "formats/Templates.h"
#include "gif/GIFImage.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "runtime/Graphic.h"
#include "runtime/LocalFiles.h"
#include "runtime/OutOfMemory.h"
#include "runtime/Picture.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

namespace {

constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;

const char* const Usage =
    "usage:\n"
    "  epatool encode INPUT OUTPUT.epa [--attr N]\n"
    "      convert a picture (its top-left 136 x 126 pixels; every non-black pixel is lit)\n"
    "      into an EPA logo whose cells all get VGA attribute N (0..15, default 15)\n"
    "  epatool decode INPUT.epa OUTPUT.bmp\n"
    "      draw the logo as the BIOS shows it, as a 4-bit BMP\n"
    "  epatool info INPUT.epa\n"
    "      print the logo's size, its attribute histogram and whether it carries the marker\n"
    "Outputs are never overwritten. Exit status: 0 done, 1 bad input, 2 bad usage.\n";

struct UsageError {
    QString message;
};

void RefuseExisting(const QString& output) {
    if (QFileInfo::exists(output))
        throw Exception(
            QStringLiteral("\"%1\" already exists; choose another name or remove it.").arg(output));
}

int ParseAttribute(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > 15)
        throw UsageError{
            QStringLiteral("--attr takes a number from 0 to 15, not \"%1\"").arg(text)};
    return value;
}

// The picture drawn at the top-left of a black logo-sized bitmap, so that the result never
// depends on the file's kind, depth or size. A picture without pixels would give a blank logo
// that looks like success.
TBitmap LoadDrawing(const QString& input) {
    try {
        TPicture picture;
        picture.LoadFromFile(input);
        if (picture.Graphic()->Empty() || picture.Width() <= 0 || picture.Height() <= 0)
            throw Exception(
                QStringLiteral("\"%1\" holds no picture: there is nothing to draw.").arg(input));
        TBitmap drawing(LogoGeometry::Width, LogoGeometry::Height, TPixelFormat::pf24bit);
        drawing.Canvas().Draw(0, 0, *picture.Graphic());
        return drawing;
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(input);
    }
}

void Encode(const QString& input, const QString& output, int attribute) {
    RefuseExisting(output);
    const TBitmap drawing = LoadDrawing(input);
    QTemporaryDir work;
    if (!work.isValid())
        throw Exception(
            QStringLiteral("Cannot make a temporary folder: %1").arg(work.errorString()));
    TBitmap preview = Templates::BlankPreview();
    TColorTable colors;
    colors.Fill(attribute);
    ConvertDrawing(drawing, preview, QDir(work.path()), {});
    const QString logoName = QStringLiteral("logo.epa");
    SaveEpa(colors, QDir(work.path()), logoName, {});
    QFile logo(work.filePath(logoName));
    if (!logo.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot read the logo back: %1").arg(logo.errorString()));
    LocalFiles::WriteNewFile(output, logo.readAll());
}

void Decode(const QString& input, const QString& output) {
    const TEpaLogo logo = TEpaLogo::Read(input);
    RefuseExisting(output);
    logo.Render().SaveToFile(output);
}

bool HasMarker(const TEpaLogo& logo) {
    const int c = logo.Columns() - 1;
    const int r = logo.Rows() - 1;
    if (logo.Attribute(c, r) != EpaFormat::FixedBytes[0].value)
        return false;
    for (std::size_t i = 1; i < EpaFormat::FixedBytes.size(); ++i)
        if (logo.GlyphLine(c, r, 6 + int(i)) != EpaFormat::FixedBytes[i].value)
            return false;
    return true;
}

void Info(const QString& input) {
    const TEpaLogo logo = TEpaLogo::Read(input);
    std::printf("%s: %d x %d cells (%d x %d pixels), %s 70 trailing bytes\n", qPrintable(input),
                logo.Columns(), logo.Rows(), logo.Columns() * 8, logo.Rows() * 14,
                logo.HasTrailer() ? "with" : "without");
    std::map<int, int> histogram;
    for (int r = 0; r < logo.Rows(); ++r)
        for (int c = 0; c < logo.Columns(); ++c)
            ++histogram[logo.Attribute(c, r)];
    std::printf("attributes:\n");
    for (const auto& [attribute, count] : histogram)
        std::printf("  0x%02X (foreground %2d, background %2d): %d cells\n", attribute,
                    attribute & 0x0F, attribute >> 4, count);
    std::printf("marker in the last cell: %s\n", HasMarker(logo) ? "yes" : "no");
}

// Taken from the bytes themselves: an argument the locale cannot read would otherwise name
// another file.
QStringList Arguments(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(LocalFiles::DecodedName(argv[i]));
    return args;
}

int Run(const QStringList& args) {
    if (args.isEmpty())
        throw UsageError{QStringLiteral("no command given")};
    const QString& command = args[0];
    if (command == "--help" || command == "-h") {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (command == "encode" && (args.size() == 3 || (args.size() == 5 && args[3] == "--attr"))) {
        Encode(args[1], args[2], args.size() == 5 ? ParseAttribute(args[4]) : 15);
        return 0;
    }
    if (command == "decode" && args.size() == 3) {
        Decode(args[1], args[2]);
        return 0;
    }
    if (command == "info" && args.size() == 2) {
        Info(args[1]);
        return 0;
    }
    throw UsageError{QStringLiteral("unknown command or wrong arguments: %1").arg(args.join(' '))};
}

} // namespace

int main(int argc, char** argv) {
    // Pictures may hold text to render; no screen is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    RegisterGIFImage();
    RegisterIcon();
    RegisterMetafile();
    try {
        return Run(Arguments(argc, argv));
    } catch (const UsageError& e) {
        std::fprintf(stderr, "epatool: %s\n%s", qPrintable(e.message), Usage);
        return ExitUsage;
    } catch (const Exception& e) {
        std::fprintf(stderr, "epatool: %s\n", qPrintable(e.Message()));
        return ExitBadInput;
    }
}
