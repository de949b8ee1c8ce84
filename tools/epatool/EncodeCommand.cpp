// epatool encode: the editor's conversion and save for scripted BIOS builds, from any picture.
#include "logo/AwbmLogo.h"
#include "logo/ColorTable.h"
#include "logo/Conversion.h"
#include "logo/EpaLogo.h"
#include "logo/EpaSave.h"
#include "logo/FullScreenPicture.h"
#include "logo/Import.h"
#include "logo/Quantizer.h"
#include "logo/Templates.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "runtime/OutOfMemory.h"
#include "runtime/Picture.h"
#include "tools/epatool/Command.h"
#include "tools/epatool/EncodeOptions.h"
#include "tools/epatool/NamedFailure.h"
#include "tools/epatool/PictureInput.h"
#include "tools/epatool/QtApplication.h"
#include "tools/epatool/Streams.h"
#include "tools/epatool/UsageError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// The editor's own conversion and save, through working files in a folder of their own.
QByteArray EpaBytes(const TBitmap& drawing, const TColorTable& colors, QSize cells) {
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
    const QByteArray bytes = logo.readAll();
    if (cells == QSize(LogoGeometry::Columns, LogoGeometry::Rows))
        return bytes;
    return TEpaLogo::Parse(bytes, logoName).Cropped(cells.width(), cells.height()).Bytes();
}

// The picture is drawn onto a black logo-sized bitmap, so that the result never depends on the
// file's kind, depth or size. A smaller logo is the editor's cut down to its cells.
QByteArray EncodeEpa(TGraphic& picture, const EncodeOptions& options) {
    TImportOptions import = options.logo.Options();
    import.attribute = options.attribute.value_or(15);
    TColorTable colors;
    const TBitmap drawing = ImportPicture(picture, import, colors);
    return EpaBytes(drawing, colors, import.cells);
}

QByteArray EncodeAwbm(TGraphic& picture, const QString& input, const EncodeOptions& options) {
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
    return Quantize(RgbRowsOf(pixels), options.AwbmColors(), options.logo.Dithered()).Bytes();
}

void ConvertPicture(const TPictureInput& input, const QString& output,
                    const EncodeOptions& options) {
    RefuseExisting(output);
    const QString name = InputName(input.Name());
    try {
        const std::unique_ptr<TPicture> picture = input.Load();
        WriteOutput(output, options.format == TLogoFormat::Epa
                                ? EncodeEpa(*picture->Graphic(), options)
                                : EncodeAwbm(*picture->Graphic(), name, options));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(name);
    }
}

void Encode(const TPictureInput& input, const QString& output, const EncodeOptions& options) {
    try {
        ConvertPicture(input, output, options);
    } catch (const Exception& failure) {
        throw Named(InputName(input.Name()), output, failure);
    }
}

// Every input is tried; each outcome is reported on its own line.
int EncodeAll(const QList<TPictureInput>& inputs, const EncodeOptions& options) {
    const QDir dir(*options.outDir);
    if (!QFileInfo(*options.outDir).isDir())
        throw Exception(QStringLiteral("\"%1\" is not a folder.").arg(*options.outDir));
    const QString extension = options.format == TLogoFormat::Epa ? ".epa" : ".awbm";
    int failures = 0;
    for (const TPictureInput& input : inputs) {
        const QString output = dir.filePath(QFileInfo(input.Name()).completeBaseName() + extension);
        try {
            Encode(input, output, options);
            std::printf("%s -> %s\n", qPrintable(input.Name()), qPrintable(output));
        } catch (const Exception& e) {
            std::fprintf(stderr, "epatool: %s\n", qPrintable(e.Message()));
            ++failures;
        }
    }
    if (failures > 0)
        std::fprintf(stderr, "epatool: %d of %lld pictures failed\n", failures,
                     static_cast<long long>(inputs.size()));
    return failures > 0 ? ExitBadInput : 0;
}

int EncodeCommandLine(const QStringList& args) {
    const EncodeOptions options = ParseEncode(args);
    const QStringList names = options.outDir ? options.files : options.files.first(1);
    QList<TPictureInput> inputs;
    for (const QString& name : names)
        inputs.append(TPictureInput(name, options.inputFormat));
    const bool fonts = std::any_of(inputs.begin(), inputs.end(),
                                   [](const TPictureInput& input) { return input.NeedsFonts(); });
    TQtApplication::Start(fonts ? TQtNeeds::Fonts : TQtNeeds::Core);
    if (options.outDir)
        return EncodeAll(inputs, options);
    Encode(inputs[0], options.files[1], options);
    return 0;
}

} // namespace

const TCommand EncodeCommand = {
    "encode", "turn pictures into EPA or AWBM logos",
    "usage: epatool encode PICTURE LOGO [options]\n"
    "       epatool encode PICTURE... --out-dir DIR [options]\n"
    "  Convert pictures (BMP, PNG, JPEG, GIF, ICO, EMF, WMF) into logos. \"-\" reads standard\n"
    "  input or writes standard output; the kind of a picture read from standard input comes\n"
    "  from its first bytes. With --out-dir each PICTURE becomes DIR/NAME.epa or DIR/NAME.awbm,\n"
    "  each outcome is reported, and the exit status is 1 when any failed. An existing LOGO is\n"
    "  never overwritten.\n"
    "  --input-format K   read every picture as kind K (bmp, png, jpg, gif, ico, emf, wmf)\n"
    "  --format epa       (default) a 17 x 9 cell EPA logo from the picture's top-left\n"
    "                     136 x 126 pixels; every non-black pixel is lit\n"
    "    --attr N         every cell gets VGA attribute N (0..15, default 15)\n"
    "    --threshold N|auto  lit where the luminance is at least N (0..255), or the level\n"
    "                     Otsu's method finds\n"
    "    --dither none|fs|bayer  Floyd-Steinberg or ordered 8 x 8 dithering (around level\n"
    "                     128 unless --threshold gives one)\n"
    "    --invert         dark pixels lit instead of bright ones\n"
    "    --fit            the whole picture scaled into the logo, centred on black\n"
    "    --auto-colour [fg|fg+bg]  each cell gets the text colours that reproduce its pixels\n"
    "                     best: a foreground on black (fg, the default), or a foreground\n"
    "                     and a background (0..7); the pixels shown in the foreground are lit\n"
    "    --cells WxH      a logo of W x H cells (1..17 x 1..9), the mark in its last cell\n"
    "  --format awbm      a full-screen AWBM logo at the picture's own size\n"
    "    --colors N       16 (default) or 256, chosen from the picture\n"
    "    --size WxH       scale to fit W x H (up to 1024 x 768), centred on black\n"
    "    --dither         Floyd-Steinberg dithering (--dither fs; --dither none)\n",
    EncodeCommandLine};
