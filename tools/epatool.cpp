// epatool: the editor's conversion and save for scripted BIOS builds, and a way to look at a
// finished logo without a BIOS.
#include "gif/GIFImage.h"
#include "logo/AutoColour.h"
#include "logo/AwbmLogo.h"
#include "logo/ColorTable.h"
#include "logo/Conversion.h"
#include "logo/EpaFormat.h"
#include "logo/EpaLogo.h"
#include "logo/EpaSave.h"
#include "logo/FullScreenPicture.h"
#include "logo/Quantizer.h"
#include "logo/Templates.h"
#include "pictures/Icon.h"
#include "pictures/Metafile.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "runtime/Graphic.h"
#include "runtime/LocalFiles.h"
#include "runtime/OutOfMemory.h"
#include "runtime/Picture.h"
#include "runtime/StreamBytes.h"
#include "tools/LogoPicture.h"
#include "tools/RomCommand.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <optional>
#include <variant>

namespace {

constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;

const char* const Usage =
    "usage:\n"
    "  epatool encode INPUT OUTPUT [options]\n"
    "  epatool encode INPUT... --out-dir DIR [options]\n"
    "      convert pictures (BMP, PNG, JPEG, GIF, ICO, EMF, WMF) into logos; with --out-dir each\n"
    "      INPUT becomes DIR/NAME.epa or DIR/NAME.awbm, each outcome is reported, and the exit\n"
    "      status is 1 when any failed\n"
    "    --format epa     (default) a 17 x 9 cell EPA logo from the picture's top-left\n"
    "                     136 x 126 pixels; every non-black pixel is lit\n"
    "      --attr N       every cell gets VGA attribute N (0..15, default 15)\n"
    "      --auto-colour  each cell gets the text colour nearest its pixels' average colour;\n"
    "                     a pixel is lit when it is nearer that colour than black\n"
    "    --format awbm    a full-screen AWBM logo at the picture's own size\n"
    "      --colors N     16 (default) or 256, chosen from the picture\n"
    "      --size WxH     scale to fit W x H (up to 1024 x 768), centred on black\n"
    "      --dither       Floyd-Steinberg dithering\n"
    "  epatool decode INPUT OUTPUT\n"
    "      draw an EPA or AWBM logo as the BIOS shows it: PNG when OUTPUT ends in .png, else BMP\n"
    "  epatool info INPUT\n"
    "      print an EPA logo's size, attribute histogram and marker, or an AWBM logo's size,\n"
    "      depth and palette\n"
    "Outputs are never overwritten. Exit status: 0 done, 1 bad input, 2 bad usage.\n";

struct UsageError {
    QString message;
};

enum class TLogoFormat { Epa, Awbm };

struct EncodeOptions {
    TLogoFormat format = TLogoFormat::Epa;
    std::optional<int> attribute;
    bool autoColour = false;
    std::optional<int> colors;
    std::optional<QSize> size;
    bool dither = false;
    std::optional<QString> outDir;
    QStringList files;
};

void RefuseExisting(const QString& output) {
    if (QFileInfo::exists(output))
        throw Exception(
            QStringLiteral("\"%1\" already exists; choose another name or remove it.").arg(output));
}

int ParseNumber(const QString& option, const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        throw UsageError{QStringLiteral("%1 takes a number from %2 to %3, not \"%4\"")
                             .arg(option)
                             .arg(low)
                             .arg(high)
                             .arg(text)};
    return value;
}

QSize ParseSize(const QString& text) {
    const QStringList parts = text.toLower().split('x');
    if (parts.size() != 2)
        throw UsageError{QStringLiteral("--size takes WIDTHxHEIGHT, not \"%1\"").arg(text)};
    return {ParseNumber("--size's width", parts[0], 1, TAwbmLogo::MaxWidth),
            ParseNumber("--size's height", parts[1], 1, TAwbmLogo::MaxHeight)};
}

// Options that belong to the other format are refused rather than ignored: the logo would not be
// what was asked for.
void CheckOptions(const EncodeOptions& options) {
    const bool epaOnly = options.attribute || options.autoColour;
    const bool awbmOnly = options.colors || options.size || options.dither;
    if (options.format == TLogoFormat::Epa && awbmOnly)
        throw UsageError{QStringLiteral("--colors, --size and --dither need --format awbm")};
    if (options.format == TLogoFormat::Awbm && epaOnly)
        throw UsageError{QStringLiteral("--attr and --auto-colour are for EPA logos")};
    if (options.attribute && options.autoColour)
        throw UsageError{QStringLiteral("--attr and --auto-colour exclude each other")};
    if (options.outDir ? options.files.isEmpty() : options.files.size() != 2)
        throw UsageError{QStringLiteral("encode takes INPUT OUTPUT, or inputs and --out-dir DIR")};
}

EncodeOptions ParseEncode(const QStringList& args) {
    EncodeOptions options;
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith("--")) {
            options.files.append(arg);
            continue;
        }
        if (arg == "--auto-colour") {
            options.autoColour = true;
            continue;
        }
        if (arg == "--dither") {
            options.dither = true;
            continue;
        }
        if (i + 1 >= args.size())
            throw UsageError{QStringLiteral("%1 needs a value").arg(arg)};
        const QString& value = args[++i];
        if (arg == "--attr")
            options.attribute = ParseNumber(arg, value, 0, 15);
        else if (arg == "--colors" && (value == "16" || value == "256"))
            options.colors = value.toInt();
        else if (arg == "--size")
            options.size = ParseSize(value);
        else if (arg == "--out-dir")
            options.outDir = value;
        else if (arg == "--format" && (value == "epa" || value == "awbm"))
            options.format = value == "epa" ? TLogoFormat::Epa : TLogoFormat::Awbm;
        else
            throw UsageError{QStringLiteral("unknown option or value: %1 %2").arg(arg, value)};
    }
    CheckOptions(options);
    return options;
}

// Any picture, loaded as the editor loads it. A picture without pixels would give a blank logo
// that looks like success.
std::unique_ptr<TPicture> LoadPicture(const QString& input) {
    auto picture = std::make_unique<TPicture>();
    picture->LoadFromFile(input);
    if (picture->Graphic()->Empty() || picture->Width() <= 0 || picture->Height() <= 0)
        throw Exception(
            QStringLiteral("\"%1\" holds no picture: there is nothing to draw.").arg(input));
    return picture;
}

void WriteEpa(const TBitmap& drawing, const TColorTable& colors, const QString& output) {
    QTemporaryDir work;
    if (!work.isValid())
        throw Exception(
            QStringLiteral("Cannot make a temporary folder: %1").arg(work.errorString()));
    TBitmap preview = Templates::BlankPreview();
    ConvertDrawing(drawing, preview, QDir(work.path()), {});
    const QString logoName = QStringLiteral("logo.epa");
    SaveEpa(colors, QDir(work.path()), logoName, {});
    QFile logo(work.filePath(logoName));
    if (!logo.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot read the logo back: %1").arg(logo.errorString()));
    LocalFiles::WriteNewFile(output, logo.readAll());
}

// The picture is drawn onto a black logo-sized bitmap, so that the result never depends on the
// file's kind, depth or size.
void EncodeEpa(TGraphic& picture, const QString& output, const EncodeOptions& options) {
    const TBitmap area = LogoArea(picture);
    TColorTable colors;
    if (options.autoColour) {
        WriteEpa(AutoColour(area, colors), colors, output);
        return;
    }
    colors.Fill(options.attribute.value_or(15));
    WriteEpa(area, colors, output);
}

void EncodeAwbm(TGraphic& picture, const QString& input, const QString& output,
                const EncodeOptions& options) {
    if (!options.size &&
        (picture.Width() > TAwbmLogo::MaxWidth || picture.Height() > TAwbmLogo::MaxHeight))
        throw Exception(QStringLiteral("\"%1\" is %2 × %3 pixels, larger than an AWBM logo "
                                       "(%4 × %5): give --size to scale it down.")
                            .arg(input)
                            .arg(picture.Width())
                            .arg(picture.Height())
                            .arg(TAwbmLogo::MaxWidth)
                            .arg(TAwbmLogo::MaxHeight));
    const QImage pixels = FullScreenPicture(picture, options.size.value_or(QSize()));
    Quantize(pixels, options.colors.value_or(16), options.dither).Write(output);
}

void Encode(const QString& input, const QString& output, const EncodeOptions& options) {
    RefuseExisting(output);
    try {
        const std::unique_ptr<TPicture> picture = LoadPicture(input);
        if (options.format == TLogoFormat::Epa)
            EncodeEpa(*picture->Graphic(), output, options);
        else
            EncodeAwbm(*picture->Graphic(), input, output, options);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(input);
    }
}

// Every input is tried; each outcome is reported on its own line.
int EncodeAll(const EncodeOptions& options) {
    const QDir dir(*options.outDir);
    if (!QFileInfo(*options.outDir).isDir())
        throw Exception(QStringLiteral("\"%1\" is not a folder.").arg(*options.outDir));
    const QString extension = options.format == TLogoFormat::Epa ? ".epa" : ".awbm";
    int failures = 0;
    for (const QString& input : options.files) {
        const QString output = dir.filePath(QFileInfo(input).completeBaseName() + extension);
        try {
            Encode(input, output, options);
            std::printf("%s -> %s\n", qPrintable(input), qPrintable(output));
        } catch (const Exception& e) {
            std::fprintf(stderr, "epatool: %s: %s\n", qPrintable(input), qPrintable(e.Message()));
            ++failures;
        }
    }
    if (failures > 0)
        std::fprintf(stderr, "epatool: %d of %lld pictures failed\n", failures,
                     static_cast<long long>(options.files.size()));
    return failures > 0 ? ExitBadInput : 0;
}

using TLogo = std::variant<TEpaLogo, TAwbmLogo>;

// Told apart by their first bytes. An EPA logo of 65 × 87 cells could begin with "AWBM" too;
// such a file is still read as what it is.
TLogo ReadLogo(const QString& input) {
    QFile file(input);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot open \"%1\": %2").arg(input, file.errorString()));
    const bool awbm = TAwbmLogo::HasSignature(file.peek(4));
    const std::optional<QByteArray> bytes =
        ReadAtMost(file, std::max(TEpaLogo::LargestFile, TAwbmLogo::LargestFile));
    if (!bytes)
        throw Exception(QStringLiteral("\"%1\" is not an %2 logo file: it is too long.")
                            .arg(input, awbm ? "AWBM" : "EPA"));
    if (!awbm)
        return TEpaLogo::Parse(*bytes, input);
    try {
        return TAwbmLogo::Parse(*bytes, input);
    } catch (const Exception&) {
        try {
            return TEpaLogo::Parse(*bytes, input);
        } catch (const Exception&) {
        }
        throw;
    }
}

void Decode(const QString& input, const QString& output) {
    const TLogo logo = ReadLogo(input);
    RefuseExisting(output);
    LogoPicture::Write(std::visit([](const auto& l) { return l.Render(); }, logo), output);
}

// The mark sits in the bottom-right cell whatever the logo's size.
bool HasMarker(const TEpaLogo& logo) {
    const int c = logo.Columns() - 1;
    const int r = logo.Rows() - 1;
    if (logo.Attribute(c, r) != EpaFormat::MarkerAttribute)
        return false;
    for (std::size_t i = 0; i < EpaFormat::MarkerGlyph.size(); ++i)
        if (logo.GlyphLine(c, r, LogoGeometry::MarkerFirstLine + int(i)) !=
            EpaFormat::MarkerGlyph[i])
            return false;
    return true;
}

void PrintInfo(const QString& input, const TEpaLogo& logo) {
    std::printf("%s: %d x %d cells (%d x %d pixels), %s 70 trailing bytes\n", qPrintable(input),
                logo.Columns(), logo.Rows(), logo.Columns() * LogoGeometry::CellWidth,
                logo.Rows() * LogoGeometry::CellHeight, logo.HasTrailer() ? "with" : "without");
    std::map<int, int> histogram;
    for (int r = 0; r < logo.Rows(); ++r)
        for (int c = 0; c < logo.Columns(); ++c)
            ++histogram[logo.Attribute(c, r)];
    std::printf("attributes:\n");
    for (const auto& [attribute, count] : histogram)
        std::printf("  0x%02X (foreground %2d, background %2d): %d %s\n", attribute,
                    attribute & 0x0F, attribute >> 4, count, count == 1 ? "cell" : "cells");
    std::printf("marker in the last cell: %s\n", HasMarker(logo) ? "yes" : "no");
}

void PrintInfo(const QString& input, const TAwbmLogo& logo) {
    std::printf("%s: AWBM full-screen logo, %d x %d pixels, %d colours\n", qPrintable(input),
                logo.Width(), logo.Height(), logo.Colors());
    std::vector<int> counts(std::size_t(logo.Colors()));
    for (const std::uint8_t index : logo.Indices())
        ++counts[index];
    const auto used = std::count_if(counts.begin(), counts.end(), [](int n) { return n > 0; });
    std::printf("palette entries in use: %d of %d (red, green, blue, 0..63):\n", int(used),
                logo.Colors());
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const TAwbmColor c = logo.Palette()[i];
        if (counts[i] > 0)
            std::printf("  %3zu: %2d %2d %2d: %d %s\n", i, c.red, c.green, c.blue, counts[i],
                        counts[i] == 1 ? "pixel" : "pixels");
    }
}

void Info(const QString& input) {
    std::visit([&](const auto& logo) { PrintInfo(input, logo); }, ReadLogo(input));
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
        std::fputs(RomCommand::Usage, stdout);
        return 0;
    }
    if (command == "encode") {
        const EncodeOptions options = ParseEncode(args);
        if (options.outDir)
            return EncodeAll(options);
        Encode(options.files[0], options.files[1], options);
        return 0;
    }
    if (command == "rom")
        return RomCommand::Run(args.mid(1));
    if (command == "decode" && args.size() == 4 && args[3] == "--emblem") {
        RomCommand::DecodeWithEmblem(args[1], args[2]);
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
