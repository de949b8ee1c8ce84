// Our GIF decoder beside giflib's on the same files in one run: large 256-colour images, a large
// interlaced one, a screenshot, a dithered photo-like one, a 1-bit one and a many-frame
// animation, made with ImageMagick's convert at start. Both sides
// read every block and decode every frame. Then our encoder beside giflib's EGifPutLine on the
// first frame of each. Prints megapixels a second and our speed over giflib's, the best of
// kRepetitions runs each.

#include "gif/GIFEncoder.h"
#include "gif/GIFImage.h"
#include "runtime/Bitmap.h"
#include "tests/gif/Giflib.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <sys/resource.h>

namespace {

struct TSample {
    const char* name;
    QStringList convert;
};

// Forty lines of a dialog's worth of text.
QString ScreenText() {
    QString text;
    for (int line = 0; line < 40; ++line)
        text += QStringLiteral("Line %1: Award BIOS setup, press F10 to save and exit, "
                               "ESC to quit without saving.\n")
                    .arg(line);
    return text;
}

const std::vector<TSample>& Samples() {
    static const std::vector<TSample> samples = {
        {"large 2048x1536, 256 colours",
         {"-seed", "1", "-size", "2048x1536", "plasma:fractal", "+dither", "-colors", "256"}},
        {"interlaced 1600x1200, 256 colours",
         {"-seed", "2", "-size", "1600x1200", "plasma:fractal", "+dither", "-colors", "256",
          "-interlace", "GIF"}},
        {"full HD 1920x1080, 256 colours",
         {"-seed", "3", "-size", "1920x1080", "plasma:fractal", "+dither", "-colors", "256"}},
        {"screenshot-like 1280x800, flat colours and text",
         {"-size",
          "1280x800",
          "xc:#d4d0c8",
          "-fill",
          "#000080",
          "-draw",
          "rectangle 0,0 1279,28",
          "-fill",
          "white",
          "-draw",
          "rectangle 40,60 900,700",
          "-fill",
          "#3a6ea5",
          "-draw",
          "rectangle 920,60 1260,400",
          "-fill",
          "black",
          "-font",
          "DejaVu-Sans",
          "-pointsize",
          "13",
          "-annotate",
          "+50+90",
          ScreenText(),
          "-colors",
          "16"}},
        {"photo-like 1024x768, dithered",
         {"-seed", "4", "-size", "1024x768", "plasma:fractal", "-blur", "0x2", "-dither",
          "FloydSteinberg", "-colors", "256"}},
        {"1-bit 1600x1200, two colours",
         {"-seed", "6", "-size", "1600x1200", "plasma:fractal", "-colorspace", "gray",
          "-monochrome"}},
        {"animation 64 frames of 160x120",
         {"-seed", "5", "-size", "160x120", "plasma:fractal", "-virtual-pixel", "tile",
          "-duplicate", "63", "-distort", "SRT", "0,0 1 0 %[fx:t*3],0", "+dither", "-colors",
          "256"}},
    };
    return samples;
}

QByteArray Made(const TSample& sample, const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("sample.gif"));
    QFile::remove(path);
    if (QProcess::execute(QStringLiteral("convert"), sample.convert + QStringList{path}) != 0)
        qFatal("convert could not make the sample %s", sample.name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no sample %s", sample.name);
    return file.readAll();
}

qint64 Pixels(const QByteArray& gif) {
    const TGiflibFile file(gif);
    qint64 pixels = 0;
    for (int i = 0; i < file.Count(); ++i)
        pixels += qint64(file.Frame(i).ImageDesc.Width) * file.Frame(i).ImageDesc.Height;
    return pixels;
}

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}

// Megapixels a second, and page faults a decoding: faulting in fresh memory is a good part of
// a large frame's time.
void Count(benchmark::State& state, qint64 pixels, long faultsBefore) {
    state.counters["MP/s"] =
        benchmark::Counter(double(pixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["faults"] = benchmark::Counter(double(MinorFaults() - faultsBefore),
                                                  benchmark::Counter::kAvgIterations);
}

// The pixels are counted beforehand, so that a profile of one of these functions holds the
// decoding alone.
void Ours(benchmark::State& state, const QByteArray& gif, qint64 pixels) {
    const long faults = MinorFaults();
    for (auto _ : state) {
        TGIFImage image;
        image.LoadFromBytes(gif);
        for (int i = 0; i < image.Count(); ++i)
            benchmark::DoNotOptimize(image.Frames(i).Bitmap().Image().constBits());
    }
    Count(state, pixels, faults);
}

void Giflib(benchmark::State& state, const QByteArray& gif, qint64 pixels) {
    const long faults = MinorFaults();
    for (auto _ : state) {
        const TGiflibFile file(gif);
        benchmark::DoNotOptimize(file.Frame(file.Count() - 1).RasterBits);
    }
    Count(state, pixels, faults);
}

void OursEncode(benchmark::State& state, const QImage& pixels) {
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeGIFImage(pixels, 8, false).size());
    state.counters["MP/s"] = benchmark::Counter(double(pixels.width()) * pixels.height() / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

int GiflibWrite(GifFileType* file, const GifByteType* bytes, int length) {
    static_cast<QByteArray*>(file->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

// A whole file from giflib, screen and image descriptors around the compressed rows; ours makes
// only the compressed rows, which is nearly all of the work.
void GiflibEncode(benchmark::State& state, const QImage& pixels) {
    std::vector<GifColorType> colors(256);
    for (auto _ : state) {
        QByteArray out;
        int error = 0;
        GifFileType* file = EGifOpen(&out, GiflibWrite, &error);
        ColorMapObject* map = GifMakeMapObject(256, colors.data());
        EGifPutScreenDesc(file, pixels.width(), pixels.height(), 8, 0, map);
        EGifPutImageDesc(file, 0, 0, pixels.width(), pixels.height(), false, nullptr);
        for (int y = 0; y < pixels.height(); ++y)
            EGifPutLine(file, const_cast<GifPixelType*>(pixels.constScanLine(y)), pixels.width());
        EGifCloseFile(file, &error);
        GifFreeMapObject(map);
        benchmark::DoNotOptimize(out.size());
    }
    state.counters["MP/s"] = benchmark::Counter(double(pixels.width()) * pixels.height() / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

QImage FirstFrame(const QByteArray& gif) {
    TGIFImage image;
    image.LoadFromBytes(gif);
    return image.Frames(0).Bitmap().Image().convertToFormat(QImage::Format_Indexed8);
}

// Keeps each benchmark's best rate of its repetitions, by name, for the table at the end: on a
// machine others load the best is the least disturbed.
class TRateReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration) {
                double& best = rates[run.run_name.function_name];
                best = std::max(best, run.counters.at("MP/s").value);
            }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> rates;
};

constexpr int kRepetitions = 3;

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    std::vector<QByteArray> files;
    for (const TSample& sample : Samples())
        files.push_back(Made(sample, dir));
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string name = Samples()[i].name;
        benchmark::RegisterBenchmark(("ours/" + name).c_str(), Ours, files[i], Pixels(files[i]))
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(kRepetitions);
        benchmark::RegisterBenchmark(("giflib/" + name).c_str(), Giflib, files[i], Pixels(files[i]))
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(kRepetitions);
    }
    std::vector<QImage> firstFrames;
    for (const QByteArray& file : files)
        firstFrames.push_back(FirstFrame(file));
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string name = "encode " + std::string(Samples()[i].name);
        benchmark::RegisterBenchmark(("ours/" + name).c_str(), OursEncode, firstFrames[i])
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(kRepetitions);
        benchmark::RegisterBenchmark(("giflib/" + name).c_str(), GiflibEncode, firstFrames[i])
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(kRepetitions);
    }
    benchmark::Initialize(&argc, argv);
    TRateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-56s %12s %12s %8s\n", "work", "ours MP/s", "giflib MP/s", "ratio");
    for (const char* work : {"", "encode "}) {
        for (const TSample& sample : Samples()) {
            const std::string name = work + std::string(sample.name);
            const double ours = reporter.rates["ours/" + name];
            const double giflib = reporter.rates["giflib/" + name];
            std::printf("%-56s %12.1f %12.1f %7.2fx\n", name.c_str(), ours, giflib,
                        giflib > 0 ? ours / giflib : 0.0);
        }
    }
    return 0;
}
