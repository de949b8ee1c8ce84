#include "tools/epatool/EncodeOptions.h"

#include "logo/AwbmLogo.h"
#include "tools/epatool/Options.h"
#include "tools/epatool/UsageError.h"

namespace {

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
    const bool epaOnly = options.attribute || options.logo.EpaOnly();
    const bool awbmOnly = options.colors || options.size;
    if (options.format == TLogoFormat::Epa && awbmOnly)
        throw UsageError{QStringLiteral("--colors and --size need --format awbm")};
    if (options.format == TLogoFormat::Awbm && epaOnly)
        throw UsageError{QStringLiteral("--attr, --threshold, --dither bayer, --invert, --fit, "
                                        "--auto-colour and --cells are for EPA logos")};
    if (options.attribute && options.logo.AutoColour())
        throw UsageError{QStringLiteral("--attr and --auto-colour exclude each other")};
    options.logo.Check();
    if (options.outDir ? options.files.isEmpty() : options.files.size() != 2)
        throw UsageError{
            QStringLiteral("encode takes PICTURE LOGO, or pictures and --out-dir DIR")};
    if (options.outDir && options.files.contains(QStringLiteral("-")))
        throw UsageError{QStringLiteral("--out-dir takes named pictures, not standard input")};
}

// The options that steer how a picture becomes a logo may or may not take a value
// (--dither, --dither bayer), which the general parser cannot tell from a name: they go first.
QStringList TakeLogoArguments(const QStringList& args, TImportArguments& logo) {
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--")) {
            rest += args.mid(i);
            break;
        }
        if (!logo.Take(args, i))
            rest.append(args[i]);
    }
    return rest;
}

} // namespace

EncodeOptions ParseEncode(const QStringList& args) {
    EncodeOptions options;
    const TOptions given(
        TakeLogoArguments(args, options.logo), {},
        {"--attr", "--colors", "--size", "--out-dir", "--format", "--input-format"});
    options.files = given.Names();
    options.outDir = given.Value("--out-dir");
    options.inputFormat = given.Value("--input-format");
    if (const auto attribute = given.Value("--attr"))
        options.attribute = ParseNumber("--attr", *attribute, 0, 15);
    if (const auto colors = given.Value("--colors"))
        options.colors = ParseChoice("--colors", *colors, {"16", "256"}).toInt();
    if (const auto size = given.Value("--size"))
        options.size = ParseSize(*size);
    if (const auto format = given.Value("--format"))
        options.format = ParseChoice("--format", *format, {"epa", "awbm"}) == "epa"
                             ? TLogoFormat::Epa
                             : TLogoFormat::Awbm;
    CheckOptions(options);
    return options;
}
