// Writes the window's two animations, "ga1.gif" and "ga2.gif", into the folder named on the
// command line (the copies in resources/ come from here). Every pixel is drawn below and every
// block of the files is put down by hand around our own LZW encoder, so that the files hold
// exactly what the window plays:
//   ga1.gif  24 × 32, a BIOS chip being flashed: its lamp blinks red, then a bar fills while the
//            pins light up one after another. 6 interlaced frames on a 16-colour global table,
//            delays 1, 30, 30, 10, 10, 10 hundredths, disposals 0, 0, 1, 0, 0, 0, looping
//            forever (count 0), a comment after the last frame.
//   ga2.gif  42 × 49, a floppy disk spinning over its shadow. 4 interlaced frames on a
//            256-colour global table, delays 2, 2, 2, 1, each frame cleared to the background
//            (disposal 2), entry 255 (white) transparent, looping count 1000, a comment before
//            the first frame.
#include "gif/Extension.h"
#include "gif/GIFColorTable.h"
#include "gif/GIFEncoder.h"
#include "runtime/Color.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <vector>

namespace {

struct TFrame {
    QImage pixels; // Format_Indexed8
    int delay;     // hundredths of a second
    int disposal;
    int transparentIndex = -1;
};

struct TAnimation {
    QList<QRgb> palette; // a power of two entries
    int background;
    int loops;
    std::vector<TFrame> frames;
    QByteArray commentBefore;
    QByteArray commentAfter;
};

void PutWord(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char(value >> 8 & 0xFF));
}

void PutComment(QByteArray& out, const QByteArray& text) {
    if (!text.isEmpty())
        TExtension(TExtensionKind::ekComment, QByteArray(), {text}).WriteTo(out);
}

QByteArray GIFFile(const TAnimation& animation) {
    const QSize screen = animation.frames.front().pixels.size();
    const int bits = TGIFColorTable::BitsForCount(int(animation.palette.size()));
    QByteArray out("GIF89a");
    PutWord(out, screen.width());
    PutWord(out, screen.height());
    out.append(char(0x80 | (bits - 1) << 4 | (bits - 1)));
    out.append(char(animation.background));
    out.append('\0');
    out.append(
        TGIFColorTable::FromPalette(animation.palette, int(animation.palette.size())).ToBytes());
    out.append("!\xFF\x0BNETSCAPE2.0\x03\x01");
    PutWord(out, animation.loops);
    out.append('\0');
    PutComment(out, animation.commentBefore);
    for (const TFrame& frame : animation.frames) {
        TExtension::GraphicControl(frame.disposal, frame.delay, frame.transparentIndex)
            .WriteTo(out);
        out.append(',');
        PutWord(out, 0);
        PutWord(out, 0);
        PutWord(out, screen.width());
        PutWord(out, screen.height());
        out.append(char(0x40)); // interlaced, no local table
        out.append(EncodeGIFImage(frame.pixels, bits, true));
    }
    PutComment(out, animation.commentAfter);
    out.append(';');
    return out;
}

// Pixel art on an indexed image.
class TPixels {
public:
    TPixels(QSize size, const QList<QRgb>& palette, int background)
        : image_(size, QImage::Format_Indexed8) {
        image_.setColorTable(palette);
        image_.fill(uint(background));
    }
    void Fill(int left, int top, int width, int height, int index) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                Dot(x, y, index);
    }
    void Dot(int x, int y, int index) {
        if (image_.valid(x, y))
            image_.setPixel(x, y, uint(index));
    }
    // A letter of the 3 × 5 font, each font pixel `scale` × `scale`.
    void Letter(int left, int top, char letter, int index, int scale = 1);
    void Text(int left, int top, const char* text, int index, int scale = 1) {
        for (; *text; ++text, left += 4 * scale)
            Letter(left, top, *text, index, scale);
    }
    const QImage& Image() const { return image_; }

private:
    QImage image_;
};

void TPixels::Letter(int left, int top, char letter, int index, int scale) {
    // Rows from the top; bit 2 is the left column.
    static const std::map<char, std::array<int, 5>> font = {
        {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}}, {'E', {7, 4, 6, 4, 7}},
        {'I', {7, 2, 2, 2, 7}}, {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}},
        {'S', {3, 4, 2, 1, 6}}};
    const auto& rows = font.at(letter);
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            if (rows[row] & (4 >> column))
                Fill(left + column * scale, top + row * scale, scale, scale, index);
}

// ga1: the chip, in the 16 colours of the standard palette.
enum {
    Black = 0,
    Maroon = 1,
    Navy = 4,
    Silver = 7,
    Grey = 8,
    Red = 9,
    Lime = 10,
    Yellow = 11,
    White = 15
};

QImage Chip(int lamp, int barFill, int litPin) {
    TPixels chip(QSize(24, 32), StandardPalette16(), Silver);
    chip.Fill(5, 1, 14, 30, Black);
    chip.Fill(5, 1, 14, 1, Grey); // light on the top and left edges
    chip.Fill(5, 1, 1, 30, Grey);
    chip.Fill(11, 1, 2, 1, Silver); // the notch that marks pin 1
    chip.Fill(10, 2, 4, 1, Grey);
    for (int pin = 0; pin < 7; ++pin) {
        const int y = 4 + 4 * pin;
        const int metal = pin == litPin ? Yellow : White;
        chip.Fill(2, y, 3, 1, metal);
        chip.Fill(19, y, 3, 1, White);
        chip.Fill(2, y + 1, 3, 1, Grey);
        chip.Fill(19, y + 1, 3, 1, Grey);
    }
    chip.Fill(7, 3, 10, 13, White); // the label
    chip.Text(8, 4, "BI", Navy);
    chip.Text(8, 10, "OS", Navy);
    chip.Fill(7, 18, 10, 4, Grey); // the progress bar
    chip.Fill(8, 19, 8, 2, Black);
    chip.Fill(8, 19, barFill, 2, Lime);
    chip.Fill(11, 25, 2, 2, lamp);
    return chip.Image();
}

TAnimation Ga1() {
    TAnimation animation{StandardPalette16(), Silver, 0, {}, {}, "Varnel: a BIOS chip, flashed"};
    animation.frames = {{Chip(Maroon, 0, -1), 1, 0},  {Chip(Red, 0, -1), 30, 0},
                        {Chip(Maroon, 0, -1), 30, 1}, {Chip(Yellow, 3, 1), 10, 0},
                        {Chip(Yellow, 6, 3), 10, 0},  {Chip(Lime, 8, 5), 10, 0}};
    return animation;
}

// ga2: the floppy, on 256 colours of which entry 255 (white) is see-through.
enum {
    Clear = 255,
    Outline = 0,
    Body = 1,
    BodyLight = 2,
    Metal = 3,
    MetalDark = 4,
    Slot = 5,
    Label = 6,
    Ink = 7,
    Stripe = 8,
    Shadow = 9
};

QList<QRgb> FloppyPalette() {
    QList<QRgb> palette = {qRgb(12, 22, 70),    qRgb(34, 68, 160),   qRgb(70, 110, 205),
                           qRgb(200, 204, 210), qRgb(130, 134, 142), qRgb(40, 40, 46),
                           qRgb(244, 240, 222), qRgb(20, 30, 110),   qRgb(210, 40, 40),
                           qRgb(58, 58, 58)};
    // The rest is a grey ramp that stops short of white, so that white means see-through only.
    while (palette.size() < 255) {
        const int level = int(palette.size()) - 10;
        palette.append(qRgb(level, level, level));
    }
    palette.append(qRgb(255, 255, 255));
    return palette;
}

// One side of the disk, 34 × 34: the shutter at the top, and the label (front) or the hub (back).
TPixels Side(bool front) {
    TPixels side(QSize(34, 34), FloppyPalette(), Body);
    side.Fill(0, 0, 34, 1, Outline);
    side.Fill(0, 33, 34, 1, Outline);
    side.Fill(0, 0, 1, 34, Outline);
    side.Fill(33, 0, 1, 34, Outline);
    side.Fill(1, 1, 32, 1, BodyLight);
    for (int y = 0; y < 3; ++y) // the cut corner
        for (int x = 31 + y; x < 34; ++x)
            side.Dot(x, y, x == 31 + y ? Outline : Clear);
    side.Fill(9, 1, 16, 12, Metal);
    side.Fill(9, 12, 16, 1, MetalDark);
    side.Fill(front ? 18 : 13, 3, 4, 8, Slot);
    if (front) {
        side.Fill(4, 16, 26, 17, Label);
        side.Fill(4, 16, 26, 2, Stripe);
        side.Text(6, 21, "EPA", Ink, 2);
        return side;
    }
    for (int y = -6; y <= 6; ++y) // the metal hub, with its square hole
        for (int x = -6; x <= 6; ++x)
            if (x * x + y * y <= 36)
                side.Dot(17 + x, 22 + y, x * x + y * y > 25 ? MetalDark : Metal);
    side.Fill(15, 20, 4, 4, Slot);
    return side;
}

// The disk turned so that it shows `width` columns of `side` (mirrored from the back), centred,
// over a shadow as wide as the disk looks.
QImage Spin(const TPixels& side, int width, bool mirrored) {
    TPixels frame(QSize(42, 49), FloppyPalette(), Clear);
    const int left = 21 - width / 2;
    for (int x = 0; x < width; ++x) {
        const int column = x * 34 / width;
        for (int y = 0; y < 34; ++y)
            frame.Dot(left + x, 4 + y, side.Image().pixelIndex(mirrored ? 33 - column : column, y));
    }
    const int shadow = std::max(width, 6);
    frame.Fill(21 - shadow / 2, 43, shadow, 2, Shadow);
    frame.Fill(21 - shadow / 2 + 2, 42, shadow - 4, 1, Shadow);
    frame.Fill(21 - shadow / 2 + 2, 45, shadow - 4, 1, Shadow);
    return frame.Image();
}

QImage Edge() {
    TPixels frame(QSize(42, 49), FloppyPalette(), Clear);
    frame.Fill(20, 4, 3, 34, Outline);
    frame.Fill(21, 5, 1, 32, BodyLight);
    frame.Fill(18, 43, 6, 2, Shadow);
    return frame.Image();
}

TAnimation Ga2() {
    TAnimation animation{FloppyPalette(), Clear, 1000, {}, "Varnel: a floppy disk, spinning", {}};
    const TPixels front = Side(true);
    const TPixels back = Side(false);
    animation.frames = {{Spin(front, 34, false), 2, 2, Clear},
                        {Spin(front, 24, false), 2, 2, Clear},
                        {Edge(), 2, 2, Clear},
                        {Spin(back, 24, true), 1, 2, Clear}};
    return animation;
}

bool Write(const QDir& folder, const QString& name, const TAnimation& animation) {
    QFile file(folder.filePath(name));
    const QByteArray bytes = GIFFile(animation);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "makeanimations: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeanimations FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    return Write(folder, QStringLiteral("ga1.gif"), Ga1()) &&
                   Write(folder, QStringLiteral("ga2.gif"), Ga2())
               ? 0
               : 1;
}
