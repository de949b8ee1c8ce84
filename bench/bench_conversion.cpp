// Conversion and save through the working files, as the editor runs them for one logo, beside
// its floor: the same drawing packed into the logo's cell bytes in memory, and those bytes
// written to one file.
#include "logo/ColorTable.h"
#include "logo/Conversion.h"
#include "logo/EpaSave.h"
#include "logo/LogoGeometry.h"
#include "logo/Templates.h"
#include "runtime/Bitmap.h"

#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <benchmark/benchmark.h>

namespace {

TBitmap BusyDrawing() {
    TBitmap drawing = Templates::BlankDrawing();
    for (int y = 0; y < LogoGeometry::Height; ++y)
        for (int x = 0; x < LogoGeometry::Width; ++x)
            if ((x * 7 + y * 3) % 5 < 2)
                drawing.Canvas().SetPixel(x, y, clWhite);
    return drawing;
}

void ConvertAndSave(benchmark::State& state) {
    QTemporaryDir work;
    const QDir dir(work.path());
    const TBitmap drawing = BusyDrawing();
    TBitmap preview = Templates::BlankPreview();
    TColorTable colors;
    colors.Fill(15);
    for (auto _ : state) {
        ConvertDrawing(drawing, preview, dir, {});
        SaveEpa(colors, dir, QStringLiteral("logo.epa"), {});
        state.PauseTiming();
        QFile::remove(dir.filePath(QStringLiteral("logo.epa")));
        state.ResumeTiming();
    }
}
BENCHMARK(ConvertAndSave)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

using LogoBytes = std::array<quint8, LogoGeometry::Columns * LogoGeometry::Height>;

LogoBytes Packed(const TBitmap& drawing) {
    using namespace LogoGeometry;
    LogoBytes bytes{};
    std::array<TColor, Width> colors;
    for (int y = 0; y < Height; ++y) {
        drawing.Canvas().ReadRow(y, colors);
        for (int x = 0; x < Width; ++x)
            if (colors[x] != clBlack && colors[x] != clInvalid)
                bytes[(x / CellWidth * Rows + y / CellHeight) * CellHeight + y % CellHeight] |=
                    quint8(0x80 >> (x % CellWidth));
    }
    return bytes;
}

void FloorInMemory(benchmark::State& state) {
    const TBitmap drawing = BusyDrawing();
    for (auto _ : state)
        benchmark::DoNotOptimize(Packed(drawing));
}
BENCHMARK(FloorInMemory)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void FloorWithOneFile(benchmark::State& state) {
    QTemporaryDir work;
    const QString path = QDir(work.path()).filePath(QStringLiteral("logo.bin"));
    const TBitmap drawing = BusyDrawing();
    for (auto _ : state) {
        const LogoBytes bytes = Packed(drawing);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
            file.write(reinterpret_cast<const char*>(bytes.data()), bytes.size()) != bytes.size())
            state.SkipWithError("could not write the floor's file");
        file.close();
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
    }
}
BENCHMARK(FloorWithOneFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
