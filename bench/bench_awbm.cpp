// Full-screen logos beside the best open quantisers, in one run: for a logo-like picture (flat
// colours, gradients, text), a photo and a plasma, at 16 and 256 colours, dithered and not, our
// quantiser's PSNR, SSIM and time beside pngquant's and ImageMagick's. Their palettes are rounded
// to the DAC's six bits a channel, as a logo stores them. Times are medians: ours in memory and
// as a whole epatool run from a PNG to the file, theirs as whole runs of their programs. The
// photo is VARNEL_BENCH_PHOTO when set (any picture Qt reads, e.g. coffee.png of Debian's
// python3-skimage), else a made-up one with a photo's smooth shading and grain; the plasma comes
// from ImageMagick's convert.
#include "logo/FullScreenPicture.h"
#include "logo/Quantizer.h"
#include "runtime/Bitmap.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Width = 640;
constexpr int Height = 480;
constexpr int Runs = 5;

struct TPicture {
    const char* name;
    QImage pixels;
};

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

QImage Photo() {
    const QByteArray path = qgetenv("VARNEL_BENCH_PHOTO");
    if (path.isEmpty())
        return MadeUpPhoto();
    const QImage photo(QString::fromLocal8Bit(path));
    if (photo.isNull())
        qFatal("VARNEL_BENCH_PHOTO %s is not a picture", path.constData());
    return photo.convertToFormat(QImage::Format_RGB32);
}

// A boot logo as a vendor would draw one: a dark gradient, flat badges, a lit bar, a title and
// small print.
QImage LogoLike() {
    QImage logo(Width, Height, QImage::Format_RGB32);
    QPainter painter(&logo);
    QLinearGradient sky(0, 0, 0, Height);
    sky.setColorAt(0, QColor(8, 16, 72));
    sky.setColorAt(1, QColor(96, 24, 120));
    painter.fillRect(logo.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 192, 40));
    painter.drawRect(40, 40, 180, 120);
    painter.setBrush(QColor(230, 30, 36));
    painter.drawEllipse(QPoint(460, 110), 90, 70);
    painter.setBrush(QColor(250, 210, 20));
    painter.drawRoundedRect(260, 200, 320, 60, 12, 12);
    QLinearGradient bar(40, 0, 600, 0);
    bar.setColorAt(0, QColor(0, 200, 255));
    bar.setColorAt(1, QColor(255, 255, 255));
    painter.fillRect(40, 300, 560, 40, bar);
    painter.fillRect(40, 370, 560, 80, QColor(224, 224, 216));
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 40, QFont::Bold));
    painter.drawText(QRect(40, 180, 220, 100), Qt::AlignCenter, QStringLiteral("BIOS"));
    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    painter.drawText(QRect(50, 376, 540, 70), Qt::TextWordWrap,
                     QStringLiteral("Energy Star ally. Press DEL to enter SETUP, F8 for the boot "
                                    "menu. Main processor 1400 MHz, memory test 262144K OK."));
    return logo;
}

QImage Plasma(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("plasma.png"));
    if (QProcess::execute(QStringLiteral("convert"),
                          {"-seed", "7", "-size", "640x480", "plasma:fractal", path}) != 0)
        qFatal("convert could not make the plasma");
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

int DacLevel(int value) {
    int best = 0;
    for (int level = 0; level < 64; ++level)
        if (std::abs((level << 2 | level >> 4) - value) < std::abs((best << 2 | best >> 4) - value))
            best = level;
    return best << 2 | best >> 4;
}

// Every pixel at the nearest colour the DAC shows: what a logo of this palette would show.
QImage AtDacLevels(const QImage& picture) {
    QImage rounded = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rounded.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(rounded.scanLine(y));
        for (int x = 0; x < rounded.width(); ++x)
            row[x] =
                qRgb(DacLevel(qRed(row[x])), DacLevel(qGreen(row[x])), DacLevel(qBlue(row[x])));
    }
    return rounded;
}

using TPlane = std::vector<double>;

TPlane Channel(const QImage& picture, int shift) {
    TPlane plane;
    plane.reserve(std::size_t(picture.width()) * picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            plane.push_back(double(row[x] >> shift & 0xFF));
    }
    return plane;
}

double Psnr(const QImage& a, const QImage& b) {
    double error = 0;
    for (const int shift : {16, 8, 0}) {
        const TPlane pa = Channel(a, shift), pb = Channel(b, shift);
        for (std::size_t i = 0; i < pa.size(); ++i)
            error += (pa[i] - pb[i]) * (pa[i] - pb[i]);
    }
    const double mse = error / (3.0 * a.width() * a.height());
    return mse > 0 ? 10 * std::log10(255.0 * 255.0 / mse) : 99.0;
}

// A Gaussian blur of σ 1.5 over 11 taps, by rows then columns, edges clamped.
TPlane Blurred(const TPlane& plane, int width, int height) {
    std::array<double, 11> taps{};
    double sum = 0;
    for (int i = 0; i < 11; ++i)
        sum += taps[std::size_t(i)] = std::exp(-(i - 5) * (i - 5) / (2 * 1.5 * 1.5));
    for (double& tap : taps)
        tap /= sum;
    const auto pass = [&](const TPlane& from, int dx, int dy) {
        TPlane to(from.size());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                double value = 0;
                for (int i = -5; i <= 5; ++i) {
                    const int sx = std::clamp(x + i * dx, 0, width - 1);
                    const int sy = std::clamp(y + i * dy, 0, height - 1);
                    value += taps[std::size_t(i + 5)] * from[std::size_t(sy) * width + sx];
                }
                to[std::size_t(y) * width + x] = value;
            }
        return to;
    };
    return pass(pass(plane, 1, 0), 0, 1);
}

// The mean structural similarity of the three channels (Gaussian window, the usual constants).
double Ssim(const QImage& a, const QImage& b) {
    const int w = a.width(), h = a.height();
    const double c1 = 6.5025, c2 = 58.5225;
    double total = 0;
    for (const int shift : {16, 8, 0}) {
        const TPlane x = Channel(a, shift), y = Channel(b, shift);
        TPlane xx(x.size()), yy(x.size()), xy(x.size());
        for (std::size_t i = 0; i < x.size(); ++i) {
            xx[i] = x[i] * x[i];
            yy[i] = y[i] * y[i];
            xy[i] = x[i] * y[i];
        }
        const TPlane mx = Blurred(x, w, h), my = Blurred(y, w, h);
        const TPlane sxx = Blurred(xx, w, h), syy = Blurred(yy, w, h), sxy = Blurred(xy, w, h);
        double sum = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            const double vx = sxx[i] - mx[i] * mx[i], vy = syy[i] - my[i] * my[i];
            const double cov = sxy[i] - mx[i] * my[i];
            sum += (2 * mx[i] * my[i] + c1) * (2 * cov + c2) /
                   ((mx[i] * mx[i] + my[i] * my[i] + c1) * (vx + vy + c2));
        }
        total += sum / double(x.size());
    }
    return total / 3;
}

// The median wall time of `runs` calls, in milliseconds.
double MedianMs(const std::function<void(int run)>& work) {
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work(run);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
}

struct TResult {
    double psnr = 0;
    double ssim = 0;
    double ms = 0;
    QImage shown;
};

TResult Measured(const QImage& picture, const QImage& shown, double ms) {
    return {Psnr(picture, shown), Ssim(picture, shown), ms, shown};
}

// Ours on the left, pngquant's on the right, to be looked at side by side.
void SaveSideBySide(const QString& path, const QImage& ours, const QImage& pngquant) {
    QImage both(ours.width() * 2 + 8, ours.height(), QImage::Format_RGB32);
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawImage(0, 0, ours);
    painter.drawImage(ours.width() + 8, 0, pngquant);
    painter.end();
    both.save(path);
}

struct TCase {
    const QImage& picture;
    QString input; // the picture as a PNG
    int colors;
    bool dither;
};

TResult InMemory(const TCase& c) {
    QImage shown;
    const double ms = MedianMs(
        [&](int) { shown = Quantize(RgbRowsOf(c.picture), c.colors, c.dither).Render().Image(); });
    return Measured(c.picture, shown.convertToFormat(QImage::Format_RGB32), ms);
}

// Ours in memory, and the time of the same through epatool.
std::pair<TResult, double> Ours(const TCase& c, const QTemporaryDir& dir) {
    const double epatool = MedianMs([&](int run) {
        QStringList arguments = {"encode",
                                 c.input,
                                 dir.filePath(QStringLiteral("ours%1-%2-%3-%4.awbm")
                                                  .arg(c.input.size())
                                                  .arg(c.colors)
                                                  .arg(c.dither)
                                                  .arg(run)),
                                 "--format",
                                 "awbm",
                                 "--colors",
                                 QString::number(c.colors)};
        if (c.dither)
            arguments << "--dither";
        Run(QStringLiteral(EPATOOL), arguments);
    });
    return {InMemory(c), epatool};
}

TResult Pngquant(const TCase& c, const QTemporaryDir& dir) {
    const QString output = dir.filePath(QStringLiteral("pngquant.png"));
    const double ms = MedianMs([&](int) {
        QStringList arguments = {"--force", "--output", output};
        if (!c.dither)
            arguments << "--nofs";
        Run(QStringLiteral("pngquant"), arguments << QString::number(c.colors) << "--" << c.input);
    });
    return Measured(c.picture, AtDacLevels(QImage(output)), ms);
}

TResult ImageMagick(const TCase& c, const QTemporaryDir& dir) {
    const QString output = dir.filePath(QStringLiteral("magick.png"));
    const double ms = MedianMs([&](int) {
        Run(QStringLiteral("convert"), {c.input, "-dither", c.dither ? "FloydSteinberg" : "None",
                                        "-colors", QString::number(c.colors), output});
    });
    return Measured(c.picture, AtDacLevels(QImage(output)), ms);
}

void PrintHeader() {
    std::printf("%-10s %6s %6s | %-22s %8s | %-22s | %-22s | %8s %8s %8s\n", "picture", "colors",
                "dither", "ours PSNR SSIM ms", "epatool", "pngquant PSNR SSIM ms",
                "ImageMagick PSNR SSIM ms", "dPSNR", "dSSIM", "time");
}

void PrintRow(const char* name, const TCase& c, const TResult& ours, double epatool,
              const TResult& pngquant, const TResult& magick) {
    const auto cell = [](const TResult& r) {
        return QStringLiteral("%1 %2 %3")
            .arg(r.psnr, 6, 'f', 2)
            .arg(r.ssim, 6, 'f', 4)
            .arg(r.ms, 7, 'f', 1)
            .toStdString();
    };
    std::printf("%-10s %6d %6s | %-22s %8.1f | %-22s | %-22s | %+8.2f %+8.4f %7.2fx\n", name,
                c.colors, c.dither ? "yes" : "no", cell(ours).c_str(), epatool,
                cell(pngquant).c_str(), cell(magick).c_str(), ours.psnr - pngquant.psnr,
                ours.ssim - pngquant.ssim, epatool / pngquant.ms);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    // The pictures and the last outputs stay, to be looked at, with each case ours beside
    // pngquant's (PICTURE-COLOURS-dithered.png, -plain.png).
    if (!qEnvironmentVariableIsEmpty("VARNEL_BENCH_KEEP")) {
        dir.setAutoRemove(false);
        std::printf("pictures kept in %s\n", qPrintable(dir.path()));
        std::fflush(stdout);
    }
    // Ours alone, in memory: for trying a change quickly.
    const bool oursOnly = !qEnvironmentVariableIsEmpty("VARNEL_BENCH_OURS_ONLY");
    const std::vector<TPicture> pictures = {
        {"logo-like", LogoLike()}, {"photo", Photo()}, {"plasma", Plasma(dir)}};
    std::printf("PSNR in dB and SSIM against the picture; dPSNR, dSSIM ours less pngquant's; time "
                "epatool's over pngquant's\n");
    PrintHeader();
    for (const TPicture& picture : pictures) {
        const QString input = dir.filePath(QString::fromLatin1(picture.name) + ".png");
        picture.pixels.save(input);
        for (const int colors : {16, 256})
            for (const bool dither : {false, true}) {
                const TCase c{picture.pixels, input, colors, dither};
                if (oursOnly) {
                    const TResult ours = InMemory(c);
                    std::printf("%-10s %6d %6s | %6.2f %6.4f %7.1f\n", picture.name, colors,
                                dither ? "yes" : "no", ours.psnr, ours.ssim, ours.ms);
                    continue;
                }
                const auto [ours, epatool] = Ours(c, dir);
                const TResult pngquant = Pngquant(c, dir);
                PrintRow(picture.name, c, ours, epatool, pngquant, ImageMagick(c, dir));
                if (!dir.autoRemove())
                    SaveSideBySide(dir.filePath(QStringLiteral("%1-%2-%3.png")
                                                    .arg(QString::fromLatin1(picture.name))
                                                    .arg(colors)
                                                    .arg(dither ? "dithered" : "plain")),
                                   ours.shown, pngquant.shown);
            }
    }
    return 0;
}
