#include "logo/Conversion.h"

#include "logo/BitString.h"
#include "logo/LogoGeometry.h"
#include "logo/WorkingFiles.h"
#include "runtime/Bitmap.h"
#include "runtime/LocalFiles.h"
#include "runtime/TextFile.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace LogoGeometry;

void WriteBitRows(const TBitmap& drawing, const QString& fileName) {
    const TCanvas& canvas = drawing.Canvas();
    std::string text;
    text.reserve(Height * (Width + 2));
    std::string line(Width, '0');
    std::array<TColor, Width> colors;
    for (int y = 0; y < Height; ++y) {
        canvas.ReadRow(y, colors);
        for (int x = 0; x < Width; ++x)
            line[x] = IsLit(colors[x]) ? '1' : '0';
        WorkingFiles::AddLine(text, line);
    }
    LocalFiles::ReplaceWhole(fileName, QByteArray::fromStdString(text));
}

void RedrawPreview(TBitmap& preview, const QString& fileName, const ProgressStep& step) {
    TTextFile bits(fileName);
    bits.Reset();
    std::vector<TCanvas::TPixelAt> pixels;
    pixels.reserve(Width * Height);
    for (int y = 0; y < Height; ++y) {
        const std::string line = bits.ReadLine();
        if (step)
            step();
        for (int x = 0; x < Width; ++x) {
            const bool lit = x < int(line.size()) && line[x] == '1';
            pixels.push_back({PreviewX(x), PreviewY(y), lit ? clWhite : clBlack});
        }
    }
    bits.Close();
    // One change for the whole redraw: whoever shows the preview repaints once.
    preview.Canvas().SetPixels(pixels);
}

void WriteByteRows(const QString& bitRows, const QString& byteRows) {
    TTextFile bits(bitRows);
    bits.Reset();
    std::string text;
    std::string out;
    do {
        const std::string line = bits.ReadLine();
        out.clear();
        for (int g = 0; g < Columns; ++g) {
            const std::size_t start = std::size_t(g) * CellWidth;
            const std::string_view field =
                start < line.size() ? std::string_view(line).substr(start, CellWidth) : "";
            std::array<char, 12> digits;
            const auto end = std::to_chars(digits.begin(), digits.end(), BitStringValue(field)).ptr;
            out.append(digits.begin(), end);
            out += '.';
        }
        out += '/';
        WorkingFiles::AddLine(text, out);
    } while (!bits.Eof());
    bits.Close();
    LocalFiles::ReplaceWhole(byteRows, QByteArray::fromStdString(text));
}

} // namespace

TBitmap LogoArea(TGraphic& picture) {
    TBitmap area(Width, Height, TPixelFormat::pf24bit);
    area.Canvas().Draw(0, 0, picture);
    return area;
}

TBitmap BlackAndWhiteLogo(TGraphic& picture) {
    const TBitmap area = LogoArea(picture);
    TBitmap logo(Width, Height, TPixelFormat::pf1bit);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (IsLit(area.Canvas().Pixel(x, y)))
                logo.Canvas().SetPixel(x, y, clWhite);
    return logo;
}

void ConvertDrawing(const TBitmap& drawing, TBitmap& preview, const QDir& dir,
                    const ProgressStep& step) {
    const QString bitRows = WorkingFiles::In(dir, WorkingFiles::BitRows);
    WriteBitRows(drawing, bitRows);
    RedrawPreview(preview, bitRows, step);
    WriteByteRows(bitRows, WorkingFiles::In(dir, WorkingFiles::ByteRows));
    LocalFiles::Delete(bitRows);
}
