// epatool info: what a logo holds, without a BIOS.
#include "logo/LogoGeometry.h"
#include "tools/epatool/Command.h"
#include "tools/epatool/LogoInput.h"
#include "tools/epatool/Options.h"
#include "tools/epatool/QtApplication.h"
#include "tools/epatool/Streams.h"
#include "tools/epatool/UsageError.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

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
        std::printf("  0x%02X (foreground %2d, background %2d%s): %d %s\n", attribute,
                    attribute & 0x0F, attribute >> 4 & 0x07, attribute & 0x80 ? ", blinking" : "",
                    count, count == 1 ? "cell" : "cells");
    std::printf("marker in the last cell: %s\n", logo.HasMarker() ? "yes" : "no");
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

int Info(const QStringList& args) {
    const TOptions options(args, {}, {});
    if (options.Names().size() != 1)
        throw UsageError{QStringLiteral("info takes one logo file")};
    TQtApplication::Start(TQtNeeds::Core);
    const QString& input = options.Names()[0];
    std::visit([&](const auto& logo) { PrintInfo(InputName(input), logo); }, ReadLogo(input));
    return 0;
}

} // namespace

const TCommand InfoCommand = {
    "info", "print what a logo holds",
    "usage: epatool info LOGO\n"
    "  Print an EPA logo's size in cells and pixels, its attribute histogram and whether the\n"
    "  last cell holds the marker, or an AWBM logo's size, depth and the palette entries in use.\n"
    "  LOGO \"-\" reads standard input.\n",
    Info};
