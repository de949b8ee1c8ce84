// Draws the controls' own artwork into the resources folder named on the command line:
//   bitmaps/sb*.bmp  the five button-kind glyphs, 36 × 18 in the 16 standard colours: the
//                    picture in the left 18 × 18 cell (black where the face shows), its mask in
//                    the right one (black where the picture is opaque, white elsewhere)
//   cursors/*.cur    the pointing hand "POINTCURSOR" and the five "PRO_" hands, 32 × 32
//                    monochrome cursors drawn from the pixel rows below, hot spot marked "@"
//   rcdata/CLICK.wav the click sound: 45 ms, 22050 Hz, 16-bit mono, a bright tick over a soft
//                    low knock, both dying away
//   icons/hicolor/   the program's icon for the desktop's menus: the window icon's picture (a
//                    lit screen in a dark frame showing a "V") drawn at 16, 32, 48, 64, 128 and
//                    256 pixels as PNGs, and once as SVG for any other size
// Everything is computed; the same program writes the same bytes every time.
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kCell = 18;

// --- Glyphs -------------------------------------------------------------------------------

QPen Pen(QRgb color, int width) {
    return QPen(QColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kMaroon = qRgb(128, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kOlive = qRgb(128, 128, 0);
const QRgb kNavy = qRgb(0, 0, 128);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kLime = qRgb(0, 255, 0);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kWhite = qRgb(255, 255, 255);

// A tick: a dark body, a lit ridge one pixel up and left.
void Tick(QPainter& p, QPoint a, QPoint b, QPoint c, QRgb body, QRgb ridge) {
    p.setPen(Pen(body, 4));
    p.drawPolyline(QList<QPoint>{a, b, c});
    p.setPen(Pen(ridge, 1));
    p.drawPolyline(QList<QPoint>{a - QPoint(1, 1), b - QPoint(0, 2), c - QPoint(1, 1)});
}

void DrawOk(QPainter& p) {
    Tick(p, {3, 9}, {7, 13}, {14, 3}, kGreen, kLime);
}

void DrawCancel(QPainter& p) {
    for (const auto& [from, to] :
         {std::pair{QPoint(4, 4), QPoint(13, 13)}, std::pair{QPoint(13, 4), QPoint(4, 13)}}) {
        p.setPen(Pen(kMaroon, 4));
        p.drawLine(from, to);
    }
    p.setPen(Pen(kRed, 1));
    p.drawLine(QPoint(4, 3), QPoint(13, 12));
    p.drawLine(QPoint(12, 3), QPoint(3, 12));
}

void DrawYes(QPainter& p) {
    p.setPen(Pen(kBlack, 1));
    p.setBrush(QColor(kGreen));
    p.drawEllipse(QRect(1, 1, 15, 15));
    p.setPen(Pen(kLime, 1));
    p.drawArc(QRect(3, 3, 11, 11), 90 * 16, 90 * 16);
    Tick(p, {5, 9}, {8, 12}, {12, 5}, kWhite, kWhite);
}

void DrawNo(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(kMaroon, 3));
    p.drawEllipse(QRect(2, 2, 13, 13));
    p.drawLine(QPoint(5, 12), QPoint(12, 5));
    p.setPen(Pen(kRed, 1));
    p.drawArc(QRect(2, 2, 13, 13), 60 * 16, 150 * 16);
    p.drawLine(QPoint(5, 11), QPoint(11, 5));
}

void DrawClose(QPainter& p) {
    // A dark doorway, its door swung open towards us, and an arrow leaving through it.
    p.setPen(Pen(kBlack, 1));
    p.setBrush(QColor(kNavy));
    p.drawRect(QRect(6, 1, 8, 15));
    p.setBrush(QColor(kOlive));
    p.drawPolygon(QPolygon({QPoint(6, 1), QPoint(1, 3), QPoint(1, 17), QPoint(6, 16)}));
    p.setPen(Pen(kYellow, 1));
    p.drawLine(QPoint(2, 4), QPoint(2, 15));
    p.setPen(Pen(kBlack, 1));
    p.drawPoint(4, 10);
    p.setPen(Pen(kMaroon, 3));
    p.drawLine(QPoint(8, 9), QPoint(13, 9));
    p.setPen(Pen(kBlack, 1));
    p.setBrush(QColor(kRed));
    p.drawPolygon(QPolygon({QPoint(13, 5), QPoint(17, 9), QPoint(13, 13)}));
}

// Paints `draw` on a see-through cell, then makes the picture and its mask from what it covered.
TBitmap Glyph(const std::function<void(QPainter&)>& draw) {
    QImage art(kCell, kCell, QImage::Format_ARGB32);
    art.fill(Qt::transparent);
    {
        QPainter painter(&art);
        draw(painter);
    }
    TBitmap glyph(2 * kCell, kCell, TPixelFormat::pf4bit);
    TCanvas& canvas = glyph.Canvas();
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const QRgb pixel = art.pixel(x, y);
            const bool opaque = qAlpha(pixel) >= 128;
            canvas.SetPixel(x, y, opaque ? FromQRgb(pixel) : clBlack);
            canvas.SetPixel(kCell + x, y, opaque ? clBlack : clWhite);
        }
    return glyph;
}

// --- Cursors ------------------------------------------------------------------------------

// "k" black, "w" white, "@" black at the hot spot, anything else see-through.
using Art = std::vector<const char*>;

const Art kPointingHand = {
    "     @k           ", "    kwwk          ", "    kwwk          ", "    kwwk          ",
    "    kwwk          ", "    kwwkkk        ", "    kwwkwwkkk     ", "    kwwkwwkwwkk   ",
    " kk kwwkwwkwwkwk  ", "kwwkkwwwwwwwwkwwk ", "kwwwkwwwwwwwwwwwk ", " kwwkwwwwwwwwwwwk ",
    "  kwwwwwwwwwwwwwk ", "  kwwwwwwwwwwwwwk ", "   kwwwwwwwwwwwwk ", "   kwwwwwwwwwwwk  ",
    "    kwwwwwwwwwwk  ", "    kwwwwwwwwwwk  ", "    kkkkkkkkkkkk  "};

const Art kSmallPointingHand = {"   @k     ", "  kwwk    ", "  kwwk    ", "  kwwkkk  ",
                                "kkkwwkwwkk", "kwkwwwwwwk", "kwwwwwwwwk", " kwwwwwwk ",
                                "  kwwwwwk ", "  kkkkkkk "};

const Art kOpenHand = {"       kk         ",   "    kk kwwk kk    ",   "   kwwkkwwkkwwk   ",
                       "   kwwkkwwkkwwk kk",   "   kwwkkwwkkwwkkwwk",  " kk kwwkkwwkkwwkkwwk",
                       "kwwkkwwkkwwkkwwkkwwk", "kwwwkwwk@wwkkwwkwwk ", " kwwwwwwwwwwwwwwwwk ",
                       "  kwwwwwwwwwwwwwwwk ", "  kwwwwwwwwwwwwwwk  ", "   kwwwwwwwwwwwwwk  ",
                       "    kwwwwwwwwwwwk   ", "     kwwwwwwwwwwk   ", "     kkkkkkkkkkkk   "};

const Art kClosedHand = {"                    ", "                    ", "                    ",
                         "      kk kk kk      ", "    kkwwkwwkwwkk    ", "   kwwkwwkwwkwwkwk  ",
                         "   kwwkwwkwwkwwkwwk ", "  kkwwwwwwwwwwwkwwk ", " kwwkww@wwwwwwwwwwk ",
                         " kwwwwwwwwwwwwwwwwk ", "  kwwwwwwwwwwwwwwwk ", "   kwwwwwwwwwwwwwk  ",
                         "    kwwwwwwwwwwwwk  ", "     kwwwwwwwwwwk   ", "     kkkkkkkkkkkk   "};

// A small arrow at the top left, for the open hand that is about to move something.
const Art kArrow = {"@         ", "kk        ", "kwk       ", "kwwk      ", "kwwwk     ",
                    "kwwwwk    ", "kwwkkk    ", "kk kwk    ", "   kwk    ", "    k     "};

struct CursorPixels {
    QImage color; // black or white
    QImage mask;  // white where see-through
    QPoint hotSpot;
};

void Stamp(CursorPixels& cursor, const Art& art, QPoint at, bool takeHotSpot) {
    for (int y = 0; y < int(art.size()); ++y)
        for (int x = 0; art[y][x] != '\0'; ++x) {
            const char c = art[y][x];
            if (c != 'k' && c != 'w' && c != '@')
                continue;
            cursor.color.setPixel(at.x() + x, at.y() + y, c == 'w' ? 1 : 0);
            cursor.mask.setPixel(at.x() + x, at.y() + y, 0);
            if (c == '@' && takeHotSpot)
                cursor.hotSpot = at + QPoint(x, y);
        }
}

CursorPixels Cursor(const std::vector<std::pair<const Art*, QPoint>>& parts) {
    CursorPixels cursor{
        QImage(32, 32, QImage::Format_Mono), QImage(32, 32, QImage::Format_Mono), {}};
    cursor.color.fill(0);
    cursor.mask.fill(1);
    bool first = true;
    for (const auto& [art, at] : parts) {
        Stamp(cursor, *art, at, first);
        first = false;
    }
    return cursor;
}

void Append16(QByteArray& out, int value) {
    const auto v = qToLittleEndian<quint16>(static_cast<quint16>(value));
    out.append(reinterpret_cast<const char*>(&v), 2);
}

void Append32(QByteArray& out, quint32 value) {
    const auto v = qToLittleEndian<quint32>(value);
    out.append(reinterpret_cast<const char*>(&v), 4);
}

// Bottom-up rows of 1-bit pixels, each padded to four bytes.
void AppendRows(QByteArray& out, const QImage& bits) {
    for (int y = bits.height() - 1; y >= 0; --y)
        for (int byte = 0; byte < 4; ++byte) {
            int value = 0;
            for (int bit = 0; bit < 8; ++bit)
                value = (value << 1) | (bits.pixelIndex(byte * 8 + bit, y) & 1);
            out.append(static_cast<char>(value));
        }
}

// A cursor file: its directory (type 2, one entry carrying the hot spot), then a two-colour
// bitmap of double height, the colour rows followed by the mask rows.
QByteArray CursorFile(const CursorPixels& cursor) {
    QByteArray image;
    Append32(image, 40);
    Append32(image, 32);
    Append32(image, 64);
    Append16(image, 1);
    Append16(image, 1);
    for (int i = 0; i < 6; ++i)
        Append32(image, 0);
    Append32(image, 0x000000);
    Append32(image, 0xFFFFFF);
    AppendRows(image, cursor.color);
    AppendRows(image, cursor.mask);

    QByteArray file;
    Append16(file, 0);
    Append16(file, 2);
    Append16(file, 1);
    file.append(char(32)).append(char(32)).append(char(2)).append(char(0));
    Append16(file, cursor.hotSpot.x());
    Append16(file, cursor.hotSpot.y());
    Append32(file, static_cast<quint32>(image.size()));
    Append32(file, 6 + 16);
    return file + image;
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        throw Exception(QStringLiteral("Cannot write %1").arg(path));
}

// --- Program icon -------------------------------------------------------------------------

const QString kIconName = QStringLiteral("org.varnel.Varnel");

// The icon on a grid of 32 units: frame, screen, inset, and the "V" as a polygon, so that no
// font on the machine changes it.
struct TIconShape {
    QRgb color;
    QRectF rect;
};
const TIconShape kIconShapes[] = {{qRgb(0, 0, 128), {0, 0, 32, 32}},
                                  {kBlack, {2, 2, 28, 28}},
                                  {kLime, {4, 6, 24, 20}},
                                  {kBlack, {6, 8, 20, 16}}};
const QPolygonF kIconV({{10, 10}, {13, 10}, {16, 19}, {19, 10}, {22, 10}, {17.5, 22}, {14.5, 22}});

QByteArray IconPng(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    for (const TIconShape& shape : kIconShapes)
        p.fillRect(shape.rect, QColor(shape.color));
    p.setBrush(QColor(kWhite));
    p.drawPolygon(kIconV);
    p.end();
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "png"))
        throw Exception(QStringLiteral("Cannot make a PNG of the icon"));
    return png.data();
}

QByteArray IconSvg() {
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" "
                                 "height=\"32\" viewBox=\"0 0 32 32\">\n");
    for (const TIconShape& shape : kIconShapes)
        svg +=
            QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                .arg(shape.rect.x())
                .arg(shape.rect.y())
                .arg(shape.rect.width())
                .arg(shape.rect.height())
                .arg(QColor(shape.color).name());
    QStringList points;
    for (const QPointF& point : kIconV)
        points.append(QStringLiteral("%1,%2").arg(point.x()).arg(point.y()));
    svg += QStringLiteral("  <polygon points=\"%1\" fill=\"#ffffff\"/>\n</svg>\n")
               .arg(points.join(' '));
    return svg.toUtf8();
}

void WriteIcons(const QDir& resources) {
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("icons/hicolor/%1x%1/apps").arg(size);
        resources.mkpath(folder);
        Write(resources.filePath(folder + "/" + kIconName + ".png"), IconPng(size));
    }
    resources.mkpath(QStringLiteral("icons/hicolor/scalable/apps"));
    Write(resources.filePath("icons/hicolor/scalable/apps/" + kIconName + ".svg"), IconSvg());
}

// --- Click sound --------------------------------------------------------------------------

QByteArray ClickWave() {
    constexpr int rate = 22050;
    constexpr int frames = rate * 45 / 1000;
    constexpr double pi = 3.14159265358979323846;
    QByteArray samples;
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double tick = std::exp(-t / 0.0035) * (0.55 * std::sin(2 * pi * 2300 * t) +
                                                     0.25 * std::sin(2 * pi * 4100 * t));
        const double knock = 0.35 * std::exp(-t / 0.012) * std::sin(2 * pi * 180 * t);
        Append16(samples, static_cast<qint16>(std::lround((tick + knock) * 32767 * 0.8)));
    }
    QByteArray wave("RIFF");
    Append32(wave, 36 + samples.size());
    wave.append("WAVEfmt ");
    Append32(wave, 16);
    Append16(wave, 1);
    Append16(wave, 1);
    Append32(wave, rate);
    Append32(wave, rate * 2);
    Append16(wave, 2);
    Append16(wave, 16);
    wave.append("data");
    Append32(wave, samples.size());
    return wave + samples;
}

void WriteArtwork(const QDir& resources) {
    for (const char* folder : {"bitmaps", "cursors", "rcdata"})
        resources.mkpath(QString::fromLatin1(folder));
    const std::pair<const char*, void (*)(QPainter&)> glyphs[] = {{"sbOK", DrawOk},
                                                                  {"sbCANCEL", DrawCancel},
                                                                  {"sbYES", DrawYes},
                                                                  {"sbNO", DrawNo},
                                                                  {"sbCLOSE", DrawClose}};
    // The pictures are ours to replace; a bitmap is never written over a file that is there.
    for (const auto& [name, draw] : glyphs) {
        const QString path = resources.filePath(QStringLiteral("bitmaps/%1.bmp").arg(name));
        QFile::remove(path);
        Glyph(draw).SaveToFile(path);
    }

    const std::pair<const char*, CursorPixels> cursors[] = {
        {"POINTCURSOR", Cursor({{&kPointingHand, {6, 1}}})},
        {"PRO_HANDPOINT", Cursor({{&kPointingHand, {6, 1}}})},
        {"PRO_SMALLHANDPOINT", Cursor({{&kSmallPointingHand, {8, 4}}})},
        {"PRO_GRABHAND", Cursor({{&kOpenHand, {6, 4}}})},
        {"PRO_GRABHANDARROW", Cursor({{&kArrow, {0, 0}}, {&kOpenHand, {10, 6}}})},
        {"PRO_DRAGHAND", Cursor({{&kClosedHand, {6, 6}}})}};
    for (const auto& [name, cursor] : cursors)
        Write(resources.filePath(QStringLiteral("cursors/%1.cur").arg(name)), CursorFile(cursor));

    Write(resources.filePath(QStringLiteral("rcdata/CLICK.wav")), ClickWave());
    WriteIcons(resources);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeartwork RESOURCES-FOLDER\n");
        return 2;
    }
    // Painting needs the GUI half of Qt, though nothing is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        WriteArtwork(QDir(QString::fromLocal8Bit(argv[1])));
    } catch (const Exception& e) {
        std::fprintf(stderr, "makeartwork: %s\n", qPrintable(e.Message()));
        return 1;
    }
    return 0;
}
