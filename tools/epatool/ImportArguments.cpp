#include "tools/epatool/ImportArguments.h"

#include "tools/epatool/Options.h"
#include "tools/epatool/UsageError.h"

namespace {

const QString& Value(const QStringList& args, int& i) {
    if (i + 1 >= args.size())
        throw UsageError{QStringLiteral("%1 needs a value").arg(args[i])};
    return args[++i];
}

} // namespace

bool TImportArguments::Take(const QStringList& args, int& i) {
    const QString& arg = args[i];
    if (arg == "--dither") {
        TakeDither(args, i);
        return true;
    }
    if (arg == "--auto-colour")
        TakeAutoColour(args, i);
    else if (arg == "--threshold")
        TakeThreshold(Value(args, i));
    else if (arg == "--cells")
        TakeCells(Value(args, i));
    else if (arg == "--invert")
        oneBit_ = options_.invert = true;
    else if (arg == "--fit")
        options_.fit = true;
    else
        return false;
    epaOnly_ = true;
    return true;
}

void TImportArguments::TakeThreshold(const QString& value) {
    oneBit_ = true;
    if (value == "auto") {
        options_.threshold = TThreshold::Otsu;
        return;
    }
    options_.threshold = TThreshold::Level;
    options_.level = ParseNumber("--threshold", value, 0, 255);
}

// A bare --dither is Floyd–Steinberg's, as a full-screen logo has always taken it.
void TImportArguments::TakeDither(const QStringList& args, int& i) {
    const QString next = i + 1 < args.size() ? args[i + 1] : QString();
    if (next == "none" || next == "fs" || next == "bayer")
        ++i;
    options_.dither = next == "none"    ? TDither::None
                      : next == "bayer" ? TDither::Bayer
                                        : TDither::FloydSteinberg;
    epaOnly_ = epaOnly_ || options_.dither == TDither::Bayer;
    oneBit_ = oneBit_ || options_.dither != TDither::None;
}

void TImportArguments::TakeAutoColour(const QStringList& args, int& i) {
    const QString next = i + 1 < args.size() ? args[i + 1] : QString();
    options_.autoColour = TAutoColour::Foreground;
    if (next == "fg" || next == "fg+bg") {
        ++i;
        if (next == "fg+bg")
            options_.autoColour = TAutoColour::ForegroundAndBackground;
    }
}

void TImportArguments::TakeCells(const QString& value) {
    const QStringList parts = value.toLower().split('x');
    if (parts.size() != 2)
        throw UsageError{QStringLiteral("--cells takes COLUMNSxROWS, not \"%1\"").arg(value)};
    options_.cells = {ParseNumber("--cells' columns", parts[0], 1, LogoGeometry::Columns),
                      ParseNumber("--cells' rows", parts[1], 1, LogoGeometry::Rows)};
}

void TImportArguments::Check() const {
    if (AutoColour() && oneBit_)
        throw UsageError{QStringLiteral(
            "--auto-colour lights the pixels itself: --threshold, --dither and --invert are for "
            "one-colour cells")};
}
