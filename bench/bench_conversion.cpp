// Conversion and save through the working files, as the editor runs them for one logo.
#include "formats/ColorTable.h"
#include "formats/Conversion.h"
#include "formats/EpaSave.h"
#include "formats/LogoGeometry.h"
#include "formats/Templates.h"
#include "runtime/Bitmap.h"

#include <QFile>
#include <QTemporaryDir>
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

} // namespace

BENCHMARK_MAIN();
