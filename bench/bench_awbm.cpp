// A 640 × 464 photo as a full-screen logo: the palette's choice and the mapping at 16 and 256
// colours, with and without dithering, and the whole epatool run from a PNG to the file. The
// photo is VARNEL_BENCH_PHOTO when set (any picture Qt reads, scaled to 640 × 464), else a
// made-up one with a photo's smooth shading and grain.
#include "logo/Quantizer.h"

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

constexpr int Width = 640;
constexpr int Height = 464;

QImage MadeUpPhoto() {
    QImage photo(Width, Height, QImage::Format_RGB32);
    QRandomGenerator grain(14);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const auto channel = [&](double phase, double scale) {
                const double shade = 128 + 90 * std::sin(x / scale + phase) * std::cos(y / 53.0);
                return std::clamp(int(shade) + grain.bounded(-10, 11), 0, 255);
            };
            photo.setPixel(x, y, qRgb(channel(0, 71), channel(2, 97), channel(4, 131)));
        }
    return photo;
}

const QImage& Photo() {
    static const QImage photo = [] {
        const QByteArray path = qgetenv("VARNEL_BENCH_PHOTO");
        if (path.isEmpty())
            return MadeUpPhoto();
        return QImage(QString::fromLocal8Bit(path))
            .scaled(Width, Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    }();
    return photo;
}

void Encode(benchmark::State& state) {
    const int colors = int(state.range(0));
    const bool dither = state.range(1) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Quantize(Photo(), colors, dither).Bytes());
}
BENCHMARK(Encode)
    ->ArgNames({"colors", "dither"})
    ->Args({16, 0})
    ->Args({16, 1})
    ->Args({256, 0})
    ->Args({256, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The user's view: start, load, scale, quantise, write, exit.
void EpatoolRun(benchmark::State& state) {
    QTemporaryDir work;
    const QString photo = work.filePath("photo.png");
    Photo().save(photo);
    int run = 0;
    for (auto _ : state) {
        const QString logo = work.filePath(QStringLiteral("logo%1.awbm").arg(run++));
        QProcess epatool;
        epatool.start(EPATOOL, {"encode", photo, logo, "--format", "awbm", "--colors",
                                QString::number(state.range(0)), "--size", "640x464", "--dither"});
        if (!epatool.waitForFinished(60000) || epatool.exitCode() != 0)
            state.SkipWithError("epatool failed");
    }
}
BENCHMARK(EpatoolRun)
    ->ArgName("colors")
    ->Arg(16)
    ->Arg(256)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
