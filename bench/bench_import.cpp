// How near a picture the logo comes, and how fast: the automatic cell colours (the average-based
// ones epatool chose before, the best foreground on black, the best foreground and background)
// beside the exhaustive optimum of each, computed here on its own; and the one-bit conversions
// (threshold 128, Otsu's level, Floyd–Steinberg, Bayer) of several pictures. Quality is PSNR
// against the picture and the mean CIEDE2000 difference; a logo is shown as the BIOS shows it,
// lit pixels in the foreground, the others in the background.
#include "bench/AverageAutoColour.h"
#include "bench/Ciede2000.h"
#include "logo/AutoColour.h"
#include "logo/ColorTable.h"
#include "logo/OneBit.h"
#include "logo/PictureArea.h"
#include "runtime/Bitmap.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr int Width = 136;
constexpr int Height = 126;
// A colour picture from a Debian package (adwaita-icon-theme), fitted onto black.
const char* const PackagedPicture = "/usr/share/icons/Adwaita/512x512/devices/camera-web.png";

struct TPicture {
    const char* name;
    QImage image;
};

// Smooth random shading at several scales: what a photo's surfaces look like to a cell.
QImage NoisePlasma(quint32 seed) {
    QRandomGenerator random(seed);
    std::array<std::vector<double>, 3> channels;
    for (auto& channel : channels) {
        channel.assign(Width * Height, 0.0);
        for (int scale = 64, weight = 96; scale >= 4; scale /= 2, weight /= 2) {
            const int gw = Width / scale + 2;
            const int gh = Height / scale + 2;
            std::vector<double> grid(std::size_t(gw * gh));
            for (double& g : grid)
                g = (random.generateDouble() * 2 - 1) * weight;
            for (int y = 0; y < Height; ++y)
                for (int x = 0; x < Width; ++x) {
                    const double fx = double(x) / scale, fy = double(y) / scale;
                    const int ix = int(fx), iy = int(fy);
                    const double u = fx - ix, v = fy - iy;
                    const auto at = [&](int i, int j) { return grid[std::size_t(j * gw + i)]; };
                    channel[std::size_t(y * Width + x)] +=
                        (at(ix, iy) * (1 - u) + at(ix + 1, iy) * u) * (1 - v) +
                        (at(ix, iy + 1) * (1 - u) + at(ix + 1, iy + 1) * u) * v;
                }
        }
    }
    QImage image(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const auto c = [&](int k) {
                return std::clamp(int(128 + channels[k][std::size_t(y * Width + x)]), 0, 255);
            };
            image.setPixel(x, y, qRgb(c(0), c(1), c(2)));
        }
    return image;
}

// The demo-scene plasma: sines of the position, one phase a channel.
QImage SinePlasma() {
    QImage image(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const double v = std::sin(x / 9.0) + std::sin(y / 7.0) + std::sin((x + y) / 13.0) +
                             std::sin(std::hypot(x - 68, y - 63) / 6.0);
            const auto c = [&](double phase) {
                return int(127.5 + 127.5 * std::sin(v * 1.6 + phase));
            };
            image.setPixel(x, y, qRgb(c(0), c(2.1), c(4.2)));
        }
    return image;
}

// A red disc and a yellow box on a blue ground in the text mode's own colours, smoothed at their
// edges, as a drawn logo is; with `text`, a white word across them.
QImage FlatLogo(bool text) {
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(VgaTextPalette()[1]);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(VgaTextPalette()[4]));
    painter.drawEllipse(QPointF(46, 52), 34, 34);
    painter.setBrush(QColor(VgaTextPalette()[14]));
    painter.drawRect(QRectF(78, 30, 44, 60));
    if (text) {
        painter.setPen(Qt::white);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(22);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRect(0, 92, Width, 30), Qt::AlignCenter, QStringLiteral("VARNEL"));
    }
    return image;
}

QImage Gradient() {
    QImage image(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            image.setPixel(x, y,
                           qRgb(255 * x / (Width - 1), 200 * (x + y) / (Width + Height),
                                255 - 255 * y / (Height - 1)));
    return image;
}

std::optional<QImage> Packaged() {
    if (!QFileInfo::exists(PackagedPicture))
        return std::nullopt;
    TBitmap bitmap;
    bitmap.SetImage(QImage(PackagedPicture));
    return PictureArea(bitmap, {17, 9}, true).pixels.Image().convertToFormat(QImage::Format_RGB32);
}

TBitmap Bitmap(const QImage& image) {
    TBitmap bitmap;
    bitmap.SetImage(image);
    return bitmap;
}

QImage Shown(const TBitmap& drawing, const TColorTable& colors) {
    const QList<QRgb>& palette = VgaTextPalette();
    QImage image(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const int attribute = colors.At(x / 8, y / 14);
            const bool lit = drawing.Canvas().Pixel(x, y) == clWhite;
            image.setPixel(x, y, palette[lit ? attribute & 0x0F : attribute >> 4 & 0x07]);
        }
    return image;
}

double Psnr(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += double(d) * d;
        }
    return 10 * std::log10(255.0 * 255.0 / (sum / (3.0 * Width * Height)));
}

// Seen from a little way off: the mean luminance of every 4 × 4 block, against the picture's.
double DistantPsnr(const QImage& a, const QImage& b) {
    const auto luminance = [](QRgb p) {
        return 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p);
    };
    double sum = 0;
    int blocks = 0;
    for (int by = 0; by + 4 <= Height; by += 4)
        for (int bx = 0; bx + 4 <= Width; bx += 4, ++blocks) {
            double d = 0;
            for (int y = by; y < by + 4; ++y)
                for (int x = bx; x < bx + 4; ++x)
                    d += luminance(a.pixel(x, y)) - luminance(b.pixel(x, y));
            sum += (d / 16) * (d / 16);
        }
    return 10 * std::log10(255.0 * 255.0 / (sum / blocks));
}

double MeanDeltaE(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            sum += Ciede2000(a.pixel(x, y), b.pixel(x, y));
    return sum / (Width * Height);
}

double SquaredDistance(QRgb p, QRgb q) {
    const double r = qRed(p) - qRed(q), g = qGreen(p) - qGreen(q), b = qBlue(p) - qBlue(q);
    return r * r + g * g + b * b;
}

// The best any choice of pair and split can do, cell by cell, by `distance` summed over the
// cell's pixels: every foreground against every background the mode allows, each pixel in the
// nearer of the two.
QImage Optimum(const QImage& picture, int backgrounds,
               const std::function<double(QRgb, QRgb)>& distance = SquaredDistance) {
    const QList<QRgb>& palette = VgaTextPalette();
    QImage best(Width, Height, QImage::Format_RGB32);
    std::array<std::array<double, 16>, 112> d{};
    for (int cy = 0; cy < Height; cy += 14)
        for (int cx = 0; cx < Width; cx += 8) {
            for (int i = 0; i < 112; ++i)
                for (int k = 0; k < 16; ++k)
                    d[i][k] = distance(picture.pixel(cx + i % 8, cy + i / 8), palette[k]);
            double bestError = 1e300;
            for (int bg = 0; bg < backgrounds; ++bg)
                for (int fg = 0; fg < 16; ++fg) {
                    double error = 0;
                    for (int i = 0; i < 112; ++i)
                        error += std::min(d[i][fg], d[i][bg]);
                    if (error >= bestError)
                        continue;
                    bestError = error;
                    for (int i = 0; i < 112; ++i)
                        best.setPixel(cx + i % 8, cy + i / 8,
                                      d[i][fg] < d[i][bg] ? palette[fg] : palette[bg]);
                }
        }
    return best;
}

// The median of several runs, in milliseconds, and what the last run made.
template <typename Work> auto Timed(Work work) {
    std::vector<double> times;
    decltype(work()) made;
    for (int run = 0; run < 15; ++run) {
        const auto start = std::chrono::steady_clock::now();
        made = work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::nth_element(times.begin(), times.begin() + 7, times.end());
    return std::pair(times[7], made);
}

void Row(const char* what, const QImage& picture, const QImage& shown, double ms) {
    std::printf("  %-26s %6.2f dB  %7.2f  %8.2f ms\n", what, Psnr(picture, shown),
                MeanDeltaE(picture, shown), ms);
}

void OneBitRow(const char* what, const QImage& picture, const QImage& shown, double ms) {
    std::printf("  %-26s %6.2f dB  %7.2f  %8.2f ms  %6.2f dB\n", what, Psnr(picture, shown),
                MeanDeltaE(picture, shown), ms, DistantPsnr(picture, shown));
}

void CompareColours(const TPicture& picture) {
    std::printf("%s, automatic colours\n  %-26s %9s  %7s  %11s\n", picture.name, "", "PSNR",
                "mean dE", "time");
    const TBitmap area = Bitmap(picture.image);
    // Only the choice is timed, not the showing.
    const auto run = [&](const std::function<TBitmap(TColorTable&)>& colour) {
        const auto [ms, logo] = Timed([&] {
            TColorTable colors;
            TBitmap drawing = colour(colors);
            return std::pair(drawing, colors);
        });
        return std::pair(ms, Shown(logo.first, logo.second));
    };
    const auto [oldMs, old] = run([&](TColorTable& c) { return AverageAutoColour(area, c); });
    Row("average (before)", picture.image, old, oldMs);
    const auto [fgMs, fg] = run([&](TColorTable& c) { return AutoColour(area, c, false); });
    Row("fg", picture.image, fg, fgMs);
    const auto [optFgMs, optFg] = Timed([&] { return Optimum(picture.image, 1); });
    Row("fg, exhaustive optimum", picture.image, optFg, optFgMs);
    const auto [bgMs, bg] = run([&](TColorTable& c) { return AutoColour(area, c, true); });
    Row("fg+bg", picture.image, bg, bgMs);
    const auto [optBgMs, optBg] = Timed([&] { return Optimum(picture.image, 8); });
    Row("fg+bg, exhaustive optimum", picture.image, optBg, optBgMs);
    // What choosing by a perceptual difference instead would give.
    const auto [labMs, lab] = Timed([&] { return Optimum(picture.image, 8, Ciede2000); });
    Row("fg+bg, least CIEDE2000", picture.image, lab, labMs);
}

void CompareOneBit(const TPicture& picture) {
    std::printf("%s, one bit (white on black)\n  %-26s %9s  %7s  %11s  %9s\n", picture.name, "",
                "PSNR", "mean dE", "time", "4x4 grey");
    TBitmap bitmap = Bitmap(picture.image);
    const TPictureArea area = PictureArea(bitmap, {17, 9}, false);
    TColorTable white;
    white.Fill(15);
    const auto row = [&](const char* what, TThreshold threshold, TDither dither) {
        TImportOptions options;
        options.threshold = threshold;
        options.dither = dither;
        const auto [ms, drawing] = Timed([&] { return OneBitDrawing(area, options); });
        OneBitRow(what, picture.image, Shown(drawing, white), ms);
    };
    row("threshold 128", TThreshold::Level, TDither::None);
    row("Otsu", TThreshold::Otsu, TDither::None);
    row("Floyd-Steinberg", TThreshold::Level, TDither::FloydSteinberg);
    row("Bayer 8x8", TThreshold::Level, TDither::Bayer);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::vector<TPicture> pictures = {{"noise plasma", NoisePlasma(7)},
                                      {"flat logo", FlatLogo(false)},
                                      {"sine plasma", SinePlasma()},
                                      {"flat logo with text", FlatLogo(true)},
                                      {"gradient", Gradient()}};
    if (const std::optional<QImage> packaged = Packaged())
        pictures.push_back({"camera-web.png (adwaita-icon-theme)", *packaged});
    else
        std::printf("(%s is missing: install adwaita-icon-theme)\n", PackagedPicture);
    std::printf("136 x 126 pixels, 17 x 9 cells; times are the median of 15 runs\n\n");
    for (const TPicture& picture : pictures)
        CompareColours(picture);
    std::printf("\n");
    for (const TPicture& picture : pictures)
        if (picture.name != pictures[1].name)
            CompareOneBit(picture);
    return 0;
}
