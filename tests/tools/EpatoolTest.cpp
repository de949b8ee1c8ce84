#include "logo/AwbmLogo.h"
#include "logo/EpaLogo.h"
#include "runtime/Bitmap.h"
#include "tests/MemoryLimit.h"
#include "tests/TestDir.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
    bool crashed = false;
};

// Runs epatool (or `program`, one of its parts); with `addressSpace`, in no more address space than
// that, so that an allocation beyond it fails as on a full machine; with `input`, reading that
// file as its standard input.
Result Epatool(const QStringList& args, qint64 addressSpace = 0, const QString& input = {},
               const QString& program = QStringLiteral(EPATOOL)) {
    QProcess process;
    if (!input.isEmpty())
        process.setStandardInputFile(input);
    if (addressSpace > 0)
        process.setChildProcessModifier([addressSpace] {
            const rlimit limit{rlim_t(addressSpace), rlim_t(addressSpace)};
            setrlimit(RLIMIT_AS, &limit);
        });
    process.start(program, args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError()),
            process.exitStatus() == QProcess::CrashExit};
}

struct PipedResult {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// Runs epatool with `input` on its standard input, in the environment `environment`.
PipedResult
Piped(const QStringList& args, const QByteArray& input,
      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(EPATOOL), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// The least address space, to 4 MB, in which epatool encodes a small picture: what the program
// itself takes, before any picture's pixels. 0 when it cannot be found.
qint64 Baseline() {
    static const qint64 baseline = [] {
        TestDir dir;
        dir.Write("small.gif", TestData("gif/colors-2.gif"));
        const auto fits = [&](qint64 space) {
            dir.Dir().remove("small.epa");
            return Epatool({"encode", dir.Path("small.gif"), dir.Path("small.epa")}, space)
                       .exitCode == 0;
        };
        qint64 low = 16 * memory_limit::MB;
        qint64 high = 4096 * memory_limit::MB;
        if (!fits(high))
            return qint64(0);
        while (high - low > 4 * memory_limit::MB) {
            const qint64 middle = (low + high) / 2;
            (fits(middle) ? high : low) = middle;
        }
        return high;
    }();
    return baseline;
}

// A GIF of one frame of `width` × `height` pixels of `bits` colour bits, all index 0, whose
// colour table is black or, when `lit`, white.
QByteArray BlankGIF(int width, int height, int bits, bool lit = false) {
    QByteArray gif("GIF89a");
    const auto size = [&] {
        for (const int value : {width, height})
            gif.append(char(value & 0xFF)).append(char(value >> 8));
    };
    size();
    gif.append(char(0x80 | (bits - 1))).append(2, '\0');
    gif.append(QByteArray(3 << bits, lit ? '\xFF' : '\0'));
    gif.append(QByteArray(",\0\0\0\0", 5));
    size();
    gif.append('\0');
    // The minimum code size, a clear code and the end code.
    gif.append(bits == 1 ? QByteArray("\x02\x01\x2c\x00", 4)
                         : QByteArray("\x08\x03\x00\x03\x02\x00", 6));
    return gif + ';';
}

// A drawing with a lit diagonal and a lit block in the bottom-right cell.
TBitmap Drawing() {
    TBitmap drawing(200, 200, TPixelFormat::pf1bit);
    for (int i = 0; i < 126; ++i)
        drawing.Canvas().SetPixel(i, i, clWhite);
    for (int y = 112; y < 126; ++y)
        for (int x = 128; x < 136; ++x)
            drawing.Canvas().SetPixel(x, y, clWhite);
    drawing.Canvas().SetPixel(150, 10, clWhite); // outside the logo
    return drawing;
}

// 33 × 17 pixels in four colours the DAC shows exactly, in stripes and a block.
TBitmap FourColours() {
    TBitmap picture(33, 17, TPixelFormat::pf24bit);
    const std::array<QRgb, 4> colors = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 130, 255),
                                        qRgb(255, 255, 255)};
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 33; ++x)
            picture.Canvas().SetPixel(x, y, FromQRgb(colors[std::size_t(x / 9 + (y > 8)) % 4]));
    return picture;
}

// A red shape on the left, a blue one on the right.
TBitmap RedAndBlue() {
    TBitmap picture(136, 126, TPixelFormat::pf24bit);
    for (int y = 10; y < 60; ++y)
        for (int x = 8; x < 40; ++x) {
            picture.Canvas().SetPixel(x, y, FromQRgb(qRgb(255, 0, 0)));
            picture.Canvas().SetPixel(x + 80, y + 40, FromQRgb(qRgb(0, 0, 255)));
        }
    return picture;
}

} // namespace

TEST(Epatool, EncodeThenDecodeGivesBackTheLitPixelsInTheChosenColour) {
    TestDir dir;
    const TBitmap drawing = Drawing();
    drawing.SaveToFile(dir.Path("in.bmp"));
    ASSERT_EQ(Epatool({"encode", dir.Path("in.bmp"), dir.Path("out.epa"), "--attr", "12"}).exitCode,
              0);
    EXPECT_EQ(dir.Read("out.epa").size(), 2367);
    ASSERT_EQ(Epatool({"decode", dir.Path("out.epa"), dir.Path("shown.bmp")}).exitCode, 0);

    TBitmap shown;
    shown.LoadFromFile(dir.Path("shown.bmp"));
    ASSERT_EQ(shown.Width(), 136);
    ASSERT_EQ(shown.Height(), 126);
    const TColor lightRed = FromQRgb(qRgb(255, 85, 85));
    const TColor lightGreen = FromQRgb(qRgb(85, 255, 85));
    for (int y = 0; y < 126; ++y)
        for (int x = 0; x < 136; ++x) {
            const bool lastCell = x >= 128 && y >= 112;
            if (lastCell && y - 112 >= 7 && y - 112 <= 11)
                continue; // the marker lines
            const bool lit = drawing.Canvas().Pixel(x, y) == clWhite;
            const TColor expected = !lit ? clBlack : lastCell ? lightGreen : lightRed;
            ASSERT_EQ(shown.Canvas().Pixel(x, y), expected) << x << "," << y;
        }
}

TEST(Epatool, InfoReportsSizeHistogramAndMarker) {
    TestDir dir;
    Drawing().SaveToFile(dir.Path("in.bmp"));
    ASSERT_EQ(Epatool({"encode", dir.Path("in.bmp"), dir.Path("out.epa")}).exitCode, 0);
    const Result info = Epatool({"info", dir.Path("out.epa")});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_TRUE(info.out.contains("17 x 9 cells")) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains("0x0F (foreground 15, background  0): 152 cells"));
    EXPECT_TRUE(info.out.contains("0x0A (foreground 10, background  0): 1 cell\n"));
    EXPECT_TRUE(info.out.contains("marker in the last cell: yes"));
}

TEST(Epatool, RefusesBadInputAndNeverOverwrites) {
    TestDir dir;
    Drawing().SaveToFile(dir.Path("in.bmp"));
    dir.Write("out.epa", "keep");
    Result r = Epatool({"encode", dir.Path("in.bmp"), dir.Path("out.epa")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("already exists"));
    EXPECT_EQ(dir.Read("out.epa"), "keep");

    r = Epatool({"info", dir.Path("out.epa")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("not an EPA logo file"));

    dir.Write("bad.bmp", "BM nonsense");
    r = Epatool({"encode", dir.Path("bad.bmp"), dir.Path("new.epa")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Bitmap image is not valid"));
    EXPECT_FALSE(dir.Exists("new.epa"));

    EXPECT_EQ(Epatool({"encode", dir.Path("in.bmp"), dir.Path("n.epa"), "--attr", "16"}).exitCode,
              2);
    EXPECT_EQ(Epatool({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(Epatool({}).exitCode, 2);
    const Result help = Epatool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("epatool encode"));
}

TEST(Epatool, EncodesIconsAndMetafilesAsTheyShow) {
    struct Case {
        const char* fixture;
        QPoint lit;
        QPoint dark;
    };
    // Icons leave their see-through quarter dark; the metafiles' black square stays dark on
    // their white page.
    for (const Case& c : {Case{"ico/pal8.ico", {3, 3}, {12, 12}},
                          Case{"metafile/inkscape-shapes.wmf", {65, 35}, {35, 35}},
                          Case{"metafile/libreoffice-shapes.emf", {60, 29}, {29, 29}}}) {
        TestDir dir;
        const QString input = dir.Path(QFileInfo(c.fixture).fileName());
        dir.Write(QFileInfo(c.fixture).fileName(), TestData(c.fixture));
        const Result r = Epatool({"encode", input, dir.Path("out.epa")});
        ASSERT_EQ(r.exitCode, 0) << c.fixture << ": " << r.err.toStdString();
        const TEpaLogo logo = TEpaLogo::Read(dir.Path("out.epa"));
        EXPECT_TRUE(logo.Lit(c.lit.x(), c.lit.y())) << c.fixture;
        EXPECT_FALSE(logo.Lit(c.dark.x(), c.dark.y())) << c.fixture;
    }
}

TEST(Epatool, EncodesEveryRegisteredPictureKind) {
    TestDir dir;
    dir.Write("in.gif", TestData("gif/colors-2.gif"));
    const Result r = Epatool({"encode", dir.Path("in.gif"), dir.Path("out.epa")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const TEpaLogo logo = TEpaLogo::Read(dir.Path("out.epa"));
    int lit = 0;
    for (int y = 0; y < 126; ++y)
        for (int x = 0; x < 136; ++x)
            lit += logo.Lit(x, y);
    EXPECT_GT(lit, 0);
    EXPECT_FALSE(logo.Lit(135, 0)) << "the 40 × 30 picture leaves the rest of the logo dark";
}

TEST(Epatool, OnePictureAsBmpPngAndGifGivesTheSameLogoAndJpegIsAccepted) {
    TestDir dir;
    QList<QByteArray> logos;
    for (const QString name : {"logo.bmp", "logo.png", "logo.gif"}) {
        dir.Write(name, TestData("pictures/" + name));
        const Result r = Epatool({"encode", dir.Path(name), dir.Path(name + ".epa")});
        ASSERT_EQ(r.exitCode, 0) << name.toStdString() << ": " << r.err.toStdString();
        logos.append(dir.Read(name + ".epa"));
    }
    ASSERT_EQ(logos[0].size(), 2367);
    EXPECT_EQ(logos[1], logos[0]);
    EXPECT_EQ(logos[2], logos[0]);
    const TEpaLogo logo = TEpaLogo::Parse(logos[0], "logo");
    EXPECT_TRUE(logo.Lit(20, 20));
    EXPECT_FALSE(logo.Lit(80, 20));

    dir.Write("LOGO.JPEG", TestData("pictures/logo.jpg"));
    const Result r = Epatool({"encode", dir.Path("LOGO.JPEG"), dir.Path("jpeg.epa")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(TEpaLogo::Read(dir.Path("jpeg.epa")).Lit(20, 20));
}

TEST(Epatool, RefusesPicturesWithNothingToDraw) {
    TestDir dir;
    dir.Write("empty.gif", "");
    dir.Write("no-frames.gif", QByteArray("GIF89a\0\0\0\0\0\0\0;", 14));
    dir.Write("zero-size.gif", BlankGIF(0, 0, 1));
    for (const QString name : {"empty.gif", "no-frames.gif", "zero-size.gif"}) {
        const Result r = Epatool({"encode", dir.Path(name), dir.Path("out.epa")});
        EXPECT_EQ(r.exitCode, 1) << name.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("\"%1\" holds no picture").arg(dir.Path(name))))
            << r.err.toStdString();
        EXPECT_FALSE(dir.Exists("out.epa"));
    }
}

TEST(Epatool, DevicesAndPipesAreRefusedAtOnceAndEndlessInputIsReadNoFurtherThanTheLargestFile) {
    TestDir dir;
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.Path("zero.gif")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.Path("pipe.epa")).constData(), 0600), 0);
    Result r = Epatool({"encode", dir.Path("zero.gif"), dir.Path("out.epa")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(dir.Path("zero.gif") + ": it is a device, not a file"))
        << r.err.toStdString();
    // No writer ever opens the pipe: an open that waited for one would never return.
    r = Epatool({"info", dir.Path("pipe.epa")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(dir.Path("pipe.epa") + ": it is a named pipe, not a file"))
        << r.err.toStdString();

    // Should reading not stop, epatool fails rather than the machine.
    const qint64 space =
        memory_limit::Available && Baseline() ? Baseline() + 768 * memory_limit::MB : 0;
    r = Epatool({"encode", "-", dir.Path("out.epa")}, space, QStringLiteral("/dev/zero"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Standard input holds more than 128 MB")) << r.err.toStdString();
    r = Epatool({"info", "-"}, space, QStringLiteral("/dev/zero"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("\"standard input\" is not an EPA logo file: it is too long."))
        << r.err.toStdString();
    EXPECT_FALSE(dir.Exists("out.epa"));
}

TEST(Epatool, StandardInputIsAPictureOfTheKindItsBytesSayOrALogo) {
    TestDir dir;
    Drawing().SaveToFile(dir.Path("in.bmp"));
    Result r = Epatool({"encode", "-", dir.Path("logo.epa")}, 0, dir.Path("in.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = Epatool({"info", "-"}, 0, dir.Path("logo.epa"));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("17 x 9 cells")) << r.out.toStdString();
    dir.Write("text.txt", "no picture");
    r = Epatool({"encode", "-", dir.Path("other.epa")}, 0, dir.Path("text.txt"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Standard input is no picture kind epatool knows"))
        << r.err.toStdString();
}

TEST(Epatool, AHugeFrameIsRefusedOrDrawnWithinItsOwnSize) {
    TestDir dir;
    for (const int bits : {8, 1}) {
        dir.Write("bomb.gif", BlankGIF(16384, 16384, bits));
        const Result r = Epatool({"encode", dir.Path("bomb.gif"), dir.Path("bomb.epa")});
        EXPECT_EQ(r.exitCode, 1) << bits;
        EXPECT_TRUE(r.err.contains("GIF image is too large")) << r.err.toStdString();
    }

    // 34 bytes asking for 4096 × 4096 white pixels of one bit: 16 MB to decode, no more to draw.
    const QByteArray large = BlankGIF(4096, 4096, 1, true);
    ASSERT_EQ(large.size(), 34);
    dir.Write("large.gif", large);
    if (!memory_limit::Available || !Baseline())
        GTEST_SKIP() << "no address-space limit under sanitizers";
    const Result r = Epatool({"encode", dir.Path("large.gif"), dir.Path("large.epa")},
                             Baseline() + 48 * memory_limit::MB);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const TEpaLogo logo = TEpaLogo::Read(dir.Path("large.epa"));
    EXPECT_TRUE(logo.Lit(0, 0));
    EXPECT_TRUE(logo.Lit(127, 125)) << "every pixel is lit, as the picture is white";
}

TEST(Epatool, NoMemoryForThePictureIsAClearFailure) {
    if (!memory_limit::Available || !Baseline())
        GTEST_SKIP() << "no address-space limit under sanitizers";
    TestDir dir;
    dir.Write("big.gif", BlankGIF(8192, 8192, 8));
    const Result r = Epatool({"encode", dir.Path("big.gif"), dir.Path("big.epa")},
                             Baseline() + 32 * memory_limit::MB);
    EXPECT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Not enough memory to load " + dir.Path("big.gif")))
        << r.err.toStdString();
    EXPECT_FALSE(dir.Exists("big.epa"));

    EXPECT_EQ(Epatool({"encode", dir.Path("big.gif"), dir.Path("big.epa")}).exitCode, 0)
        << "with the memory it needs, the same picture encodes";
}

TEST(Epatool, OutputsOntoAFullDiskFailWithTheReasonAndLeaveNothing) {
    const SmallDisk disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root or CAP_SYS_ADMIN)";
    TestDir dir;
    Drawing().SaveToFile(dir.Path("in.bmp"));
    ASSERT_EQ(Epatool({"encode", dir.Path("in.bmp"), dir.Path("logo.epa")}).exitCode, 0);
    disk.Fill();
    Result r = Epatool({"decode", dir.Path("logo.epa"), disk.Path("shown.bmp")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("epatool: Cannot write " + disk.Path("shown.bmp") +
                               ": No space left on device\n"))
        << r.err.toStdString();
    r = Epatool({"encode", dir.Path("in.bmp"), disk.Path("out.epa")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("epatool: Cannot write " + disk.Path("out.epa") +
                               ": No space left on device\n"))
        << r.err.toStdString();
    EXPECT_EQ(disk.Names(), QStringList{"filler"}) << "no cut picture, no temporary file";
}

TEST(Epatool, DecodeNamesThatCannotBeWrittenAreNotCalledAFullDisk) {
    TestDir dir;
    Drawing().SaveToFile(dir.Path("in.bmp"));
    ASSERT_EQ(Epatool({"encode", dir.Path("in.bmp"), dir.Path("logo.epa")}).exitCode, 0);
    const QString longName = dir.Path(QString(300, 'n') + ".bmp");
    Result r = Epatool({"decode", dir.Path("logo.epa"), longName});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("File name too long")) << r.err.toStdString();
    r = Epatool({"decode", dir.Path("logo.epa"), ""});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.contains("Disk full")) << r.err.toStdString();
    EXPECT_EQ(dir.Names(), (QStringList{"in.bmp", "logo.epa"}));
}

TEST(Epatool, DecodeNeverWritesThroughALinkOrOverAFile) {
    TestDir dir;
    Drawing().SaveToFile(dir.Path("in.bmp"));
    ASSERT_EQ(Epatool({"encode", dir.Path("in.bmp"), dir.Path("logo.epa")}).exitCode, 0);
    ASSERT_TRUE(QFile::link(dir.Path("victim.bmp"), dir.Path("shown.bmp")));
    const Result r = Epatool({"decode", dir.Path("logo.epa"), dir.Path("shown.bmp")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("File exists")) << r.err.toStdString();
    EXPECT_FALSE(dir.Exists("victim.bmp")) << "the dangling link was not written through";
    EXPECT_EQ(dir.Names(), (QStringList{"in.bmp", "logo.epa", "shown.bmp"}));
}

TEST(Epatool, ArgumentsTheLocaleCannotReadAreRefused) {
    TestDir dir;
    Drawing().SaveToFile(dir.Path("in.bmp"));
    ASSERT_EQ(Epatool({"encode", dir.Path("in.bmp"), dir.Path("logo.epa")}).exitCode, 0);
    // The shell hands the raw byte 0xFF on; QProcess would encode the name first.
    QProcess process;
    process.setWorkingDirectory(dir.Path("."));
    process.start("/bin/sh", {"-c", "exec \"$0\" decode logo.epa \"$(printf 'x\\377.bmp')\"",
                              QStringLiteral(EPATOOL)});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("encoding"));
    EXPECT_EQ(dir.Names(), (QStringList{"in.bmp", "logo.epa"}));
}

TEST(Epatool, AwbmLogosKeepAFewColourPictureExactlyAtBothDepthsAndDecodeToPng) {
    TestDir dir;
    const TBitmap picture = FourColours();
    picture.SaveToFile(dir.Path("in.bmp"));
    for (const QString colors : {"16", "256"}) {
        const QString logo = dir.Path(colors + ".awbm");
        Result r =
            Epatool({"encode", dir.Path("in.bmp"), logo, "--format", "awbm", "--colors", colors});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const TAwbmLogo read = TAwbmLogo::Read(logo);
        EXPECT_EQ(read.Colors(), colors.toInt());
        EXPECT_EQ(read.Width(), 33);

        r = Epatool({"decode", logo, dir.Path(colors + ".png")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(dir.Read(colors + ".png").startsWith("\x89PNG"));
        const QImage shown(dir.Path(colors + ".png"));
        ASSERT_EQ(shown.size(), QSize(33, 17));
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 33; ++x)
                ASSERT_EQ(shown.pixel(x, y), ToQRgb(picture.Canvas().Pixel(x, y)))
                    << colors.toStdString() << " colours at " << x << "," << y;

        r = Epatool({"info", logo});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.out.contains("AWBM full-screen logo, 33 x 17 pixels, " + colors + " colours"))
            << r.out.toStdString();
        EXPECT_TRUE(r.out.contains("palette entries in use: 4 of " + colors));
        EXPECT_TRUE(r.out.contains("63  0  0: 153 pixels")) << "the red stripe";
    }
}

TEST(Epatool, AwbmSizeScalesToFitCentredOnBlack) {
    TestDir dir;
    TBitmap white(40, 10, TPixelFormat::pf24bit);
    white.Canvas().FillRect(QRect(0, 0, 40, 10), clWhite);
    white.SaveToFile(dir.Path("wide.bmp"));
    const Result r = Epatool({"encode", dir.Path("wide.bmp"), dir.Path("out.awbm"), "--format",
                              "awbm", "--size", "80x60", "--dither"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const TAwbmLogo logo = TAwbmLogo::Read(dir.Path("out.awbm"));
    ASSERT_EQ(QSize(logo.Width(), logo.Height()), QSize(80, 60));
    const auto shown = [&](int x, int y) {
        return TAwbmLogo::ToRgb(logo.Palette()[logo.Index(x, y)]);
    };
    // 80 × 20 of white in the middle rows, black above and below.
    EXPECT_EQ(shown(0, 19), qRgb(0, 0, 0));
    EXPECT_EQ(shown(0, 20), qRgb(255, 255, 255));
    EXPECT_EQ(shown(79, 39), qRgb(255, 255, 255));
    EXPECT_EQ(shown(79, 40), qRgb(0, 0, 0));
}

TEST(Epatool, AwbmRefusesWhatCannotBecomeALogo) {
    TestDir dir;
    TBitmap(1025, 2, TPixelFormat::pf1bit).SaveToFile(dir.Path("wide.bmp"));
    Result r = Epatool({"encode", dir.Path("wide.bmp"), dir.Path("out.awbm"), "--format", "awbm"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(
        r.err.contains("1025 × 2 pixels, larger than an AWBM logo (1024 × 768): give --size"))
        << r.err.toStdString();
    EXPECT_EQ(Epatool({"encode", dir.Path("wide.bmp"), dir.Path("out.awbm"), "--format", "awbm",
                       "--size", "1024x768"})
                  .exitCode,
              0);

    dir.Write("cut.awbm",
              TAwbmLogo(3, 3, 16, std::vector<TAwbmColor>(16), std::vector<std::uint8_t>(9))
                  .Bytes()
                  .chopped(1));
    r = Epatool({"info", dir.Path("cut.awbm")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("is not an AWBM logo file: a logo of 3 × 3 pixels takes"))
        << r.err.toStdString();
    r = Epatool({"decode", dir.Path("cut.awbm"), dir.Path("cut.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(dir.Exists("cut.png"));

    const QString in = dir.Path("wide.bmp");
    for (const QStringList& args : {QStringList{"--format", "awbm", "--colors", "17"},
                                    {"--format", "awbm", "--size", "0x5"},
                                    {"--format", "awbm", "--size", "1025x768"},
                                    {"--format", "awbm", "--attr", "3"},
                                    {"--format", "awbm", "--dither", "bayer"},
                                    {"--format", "awbm", "--cells", "17x6"},
                                    {"--size", "10x10"},
                                    {"--attr", "3", "--auto-colour"},
                                    {"--format", "gif"},
                                    {"--colors"},
                                    {"--frobnicate", "1"}}) {
        r = Epatool(QStringList{"encode", in, dir.Path("x.out")} + args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("usage:"));
    }
    EXPECT_FALSE(dir.Exists("x.out"));
}

TEST(Epatool, AutoColourGivesEachShapeItsNearestTextColour) {
    TestDir dir;
    RedAndBlue().SaveToFile(dir.Path("in.bmp"));
    Result r = Epatool({"encode", dir.Path("in.bmp"), dir.Path("auto.epa"), "--auto-colour"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const TEpaLogo logo = TEpaLogo::Read(dir.Path("auto.epa"));
    EXPECT_EQ(logo.Attribute(1, 1), 4) << "red";
    EXPECT_EQ(logo.Attribute(12, 5), 1) << "blue";
    EXPECT_TRUE(logo.Lit(8, 10));
    EXPECT_FALSE(logo.Lit(7, 10));
    EXPECT_TRUE(logo.Lit(119, 99));
    EXPECT_FALSE(logo.Lit(120, 99));
    EXPECT_EQ(logo.Attribute(16, 8), 0x0A) << "the marker as ever";

    // Without the flag every cell takes the one attribute, as before.
    ASSERT_EQ(Epatool({"encode", dir.Path("in.bmp"), dir.Path("plain.epa")}).exitCode, 0);
    EXPECT_EQ(TEpaLogo::Read(dir.Path("plain.epa")).Attribute(12, 5), 15);
}

TEST(Epatool, BatchEncodesEveryGoodInputReportsTheBrokenOneAndFails) {
    TestDir dir;
    ASSERT_TRUE(dir.Dir().mkdir("out"));
    RedAndBlue().SaveToFile(dir.Path("first.bmp"));
    dir.Write("broken.bmp", "BM nonsense");
    dir.Write("third.gif", TestData("gif/colors-2.gif"));
    const QStringList inputs = {dir.Path("first.bmp"), dir.Path("broken.bmp"),
                                dir.Path("third.gif")};
    Result r = Epatool(QStringList{"encode"} + inputs + QStringList{"--out-dir", dir.Path("out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(QDir(dir.Path("out")).entryList(QDir::Files),
              (QStringList{"first.epa", "third.epa"}));
    EXPECT_TRUE(r.out.contains(dir.Path("first.bmp") + " -> " + dir.Path("out/first.epa")))
        << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(dir.Path("broken.bmp") + ": Bitmap image is not valid"))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("1 of 3 pictures failed"));
    EXPECT_EQ(TEpaLogo::Read(dir.Path("out/first.epa")).Attribute(0, 0), 15);

    // Again: nothing is overwritten, so every input now fails; AWBM goes beside.
    r = Epatool(QStringList{"encode"} + inputs + QStringList{"--out-dir", dir.Path("out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("3 of 3 pictures failed")) << r.err.toStdString();
    r = Epatool(
        {"encode", dir.Path("first.bmp"), "--out-dir", dir.Path("out"), "--format", "awbm"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(TAwbmLogo::Read(dir.Path("out/first.awbm")).Width(), 136);

    r = Epatool({"encode", dir.Path("first.bmp"), "--out-dir", dir.Path("missing")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("is not a folder"));
}

// A 136 × 126 picture of two filled rectangles, the second over the first.
static void SaveTwoAreas(const QString& name, std::pair<QRect, QRgb> first,
                         std::pair<QRect, QRgb> second) {
    TBitmap picture(136, 126, TPixelFormat::pf24bit);
    for (const auto& [rect, color] : {first, second})
        picture.Canvas().FillRect(rect, FromQRgb(color));
    picture.SaveToFile(name);
}

// A board expects the size it shipped with: a 17 × 6 logo must be 17 × 6 in the file, carry the
// mark in its own last cell, and read back, decode and draw as what was encoded.
TEST(Epatool, CellsWriteSmallerLogosWithTheMarkInTheirLastCell) {
    TestDir dir;
    Drawing().SaveToFile(dir.Path("in.bmp"));
    Result r = Epatool(
        {"encode", dir.Path("in.bmp"), dir.Path("six.epa"), "--cells", "17x6", "--attr", "12"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(dir.Read("six.epa").size(), 2 + 17 * 6 * 15 + 70);
    const TEpaLogo logo = TEpaLogo::Read(dir.Path("six.epa"));
    EXPECT_EQ(logo.Columns(), 17);
    EXPECT_EQ(logo.Rows(), 6);
    EXPECT_TRUE(logo.HasMarker());
    EXPECT_EQ(logo.Attribute(15, 5), 12);
    for (int i = 0; i < 84; ++i)
        ASSERT_TRUE(logo.Lit(i, i)) << "the diagonal, " << i;
    EXPECT_FALSE(logo.Lit(100, 30));
    const Result info = Epatool({"info", dir.Path("six.epa")});
    EXPECT_TRUE(info.out.contains("17 x 6 cells (136 x 84 pixels)")) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains("0x0C (foreground 12, background  0): 101 cells"));
    EXPECT_TRUE(info.out.contains("marker in the last cell: yes"));
    ASSERT_EQ(Epatool({"decode", dir.Path("six.epa"), dir.Path("six.png")}).exitCode, 0);
    EXPECT_EQ(QImage(dir.Path("six.png")).size(), QSize(136, 84));

    ASSERT_EQ(
        Epatool({"encode", dir.Path("in.bmp"), dir.Path("one.epa"), "--cells", "1x1"}).exitCode, 0);
    const TEpaLogo one = TEpaLogo::Read(dir.Path("one.epa"));
    EXPECT_EQ(one.Columns() * one.Rows(), 1);
    EXPECT_TRUE(one.HasMarker());
    // 17 × 9 asked for is the editor's own file, byte for byte.
    ASSERT_EQ(
        Epatool({"encode", dir.Path("in.bmp"), dir.Path("full.epa"), "--cells", "17x9"}).exitCode,
        0);
    ASSERT_EQ(Epatool({"encode", dir.Path("in.bmp"), dir.Path("plain.epa")}).exitCode, 0);
    EXPECT_EQ(dir.Read("full.epa"), dir.Read("plain.epa"));
}

TEST(Epatool, AutoColourWithABackgroundStoresItAndInfoNamesIt) {
    TestDir dir;
    SaveTwoAreas(dir.Path("in.bmp"), {QRect(0, 0, 136, 126), qRgb(0, 0, 170)},
                 {QRect(2, 2, 4, 4), qRgb(255, 255, 85)});
    Result r =
        Epatool({"encode", dir.Path("in.bmp"), dir.Path("both.epa"), "--auto-colour", "fg+bg"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const TEpaLogo logo = TEpaLogo::Read(dir.Path("both.epa"));
    EXPECT_EQ(logo.Attribute(0, 0), 0x1E) << "yellow on blue";
    EXPECT_TRUE(logo.Lit(3, 3));
    EXPECT_FALSE(logo.Lit(0, 0));
    const Result info = Epatool({"info", dir.Path("both.epa")});
    EXPECT_TRUE(info.out.contains("0x1E (foreground 14, background  1): 1 cell\n"))
        << info.out.toStdString();
    ASSERT_EQ(Epatool({"decode", dir.Path("both.epa"), dir.Path("both.png")}).exitCode, 0);
    EXPECT_EQ(QImage(dir.Path("both.png")).pixel(0, 0), qRgb(0, 0, 170));

    // A bare --auto-colour is --auto-colour fg.
    ASSERT_EQ(
        Epatool({"encode", dir.Path("in.bmp"), dir.Path("bare.epa"), "--auto-colour"}).exitCode, 0);
    ASSERT_EQ(
        Epatool({"encode", dir.Path("in.bmp"), dir.Path("fg.epa"), "--auto-colour", "fg"}).exitCode,
        0);
    EXPECT_EQ(dir.Read("bare.epa"), dir.Read("fg.epa"));
    EXPECT_EQ(TEpaLogo::Read(dir.Path("fg.epa")).Attribute(0, 0) & 0xF0, 0);
}

TEST(Epatool, OneBitOptionsSteerTheLitPixels) {
    TestDir dir;
    // Dark grey left, light grey right: non-black lights both, a threshold only the right.
    SaveTwoAreas(dir.Path("in.bmp"), {QRect(0, 0, 68, 126), qRgb(60, 60, 60)},
                 {QRect(68, 0, 68, 126), qRgb(200, 200, 200)});
    const auto encode = [&](const QString& name, const QStringList& options) {
        const Result r =
            Epatool(QStringList{"encode", dir.Path("in.bmp"), dir.Path(name)} + options);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return TEpaLogo::Read(dir.Path(name));
    };
    TEpaLogo logo = encode("128.epa", {"--threshold", "128"});
    EXPECT_FALSE(logo.Lit(10, 10));
    EXPECT_TRUE(logo.Lit(100, 10));
    logo = encode("auto.epa", {"--threshold", "auto", "--invert"});
    EXPECT_TRUE(logo.Lit(10, 10));
    EXPECT_FALSE(logo.Lit(100, 10));
    logo = encode("bayer.epa", {"--dither", "bayer"});
    int lit = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            lit += logo.Lit(x, y);
    EXPECT_EQ(lit, 15) << "luminance 60 lights 15 of 64";
    logo = encode("fit.epa", {"--fit", "--cells", "17x6", "--threshold", "128"});
    EXPECT_EQ(logo.Rows(), 6);
    EXPECT_FALSE(logo.Lit(20, 40)) << "the picture fitted into 90 x 84 from x = 23";
    EXPECT_TRUE(logo.Lit(100, 40));
    EXPECT_FALSE(logo.Lit(120, 40)) << "black beside it";
}

TEST(Epatool, RefusesBadOrContradictoryImportOptions) {
    TestDir dir;
    Drawing().SaveToFile(dir.Path("in.bmp"));
    for (const QStringList& args : {QStringList{"--threshold", "256"},
                                    {"--threshold", "-1"},
                                    {"--threshold", "half"},
                                    {"--threshold"},
                                    {"--cells", "18x9"},
                                    {"--cells", "17x10"},
                                    {"--cells", "0x1"},
                                    {"--cells", "17"},
                                    {"--auto-colour", "fg+bg", "--dither", "fs"},
                                    {"--auto-colour", "--threshold", "100"},
                                    {"--auto-colour", "fg", "--invert"},
                                    {"--auto-colour", "--attr", "3"}}) {
        const Result r =
            Epatool(QStringList{"encode", dir.Path("in.bmp"), dir.Path("x.epa")} + args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("usage:"));
    }
    EXPECT_FALSE(dir.Exists("x.epa"));
}

TEST(Epatool, EveryCommandHasItsOwnHelpAndTheToolAVersion) {
    for (const QString command : {"encode", "decode", "info"})
        for (const QString help : {"--help", "-h"}) {
            const Result r = Epatool({command, help});
            EXPECT_EQ(r.exitCode, 0) << command.toStdString();
            EXPECT_TRUE(r.out.startsWith("usage: epatool " + command)) << r.out.toStdString();
            EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        }
    const Result version = Epatool({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("epatool 1.")) << version.out.toStdString();
    const Result tool = Epatool({"-h"});
    EXPECT_TRUE(tool.out.contains("  epatool decode ")) << tool.out.toStdString();

    // After "--" a name is a name, even "--help".
    const Result named = Epatool({"info", "--", "--help"});
    EXPECT_EQ(named.exitCode, 1);
    EXPECT_TRUE(named.err.contains("Cannot open \"--help\"")) << named.err.toStdString();
    const Result wrong = Epatool({"decode", "only-one"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.contains("usage: epatool decode")) << wrong.err.toStdString();
}

TEST(Epatool, DashIsStandardInputAndOutputAndTheKindComesFromTheBytes) {
    TestDir dir;
    const TBitmap drawing = Drawing();
    drawing.SaveToFile(dir.Path("in.bmp"));
    dir.Write("in.gif", TestData("pictures/logo.gif"));
    ASSERT_EQ(Epatool({"encode", dir.Path("in.bmp"), dir.Path("file.epa")}).exitCode, 0);

    const PipedResult encoded = Piped({"encode", "-", "-"}, dir.Read("in.bmp"));
    ASSERT_EQ(encoded.exitCode, 0) << encoded.err.toStdString();
    EXPECT_EQ(encoded.out, dir.Read("file.epa"));
    EXPECT_FALSE(dir.Exists("-"));

    const PipedResult gif = Piped({"encode", "-", dir.Path("gif.epa")}, dir.Read("in.gif"));
    EXPECT_EQ(gif.exitCode, 0) << gif.err.toStdString();
    const PipedResult unknown = Piped({"encode", "-", dir.Path("x.epa")}, "plain words");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("give --input-format")) << unknown.err.toStdString();
    const PipedResult forced =
        Piped({"encode", "-", dir.Path("x.epa"), "--input-format", "gif"}, dir.Read("in.bmp"));
    EXPECT_EQ(forced.exitCode, 1) << "a bitmap read as a GIF is no GIF";
    EXPECT_FALSE(dir.Exists("x.epa"));

    const PipedResult info = Piped({"info", "-"}, dir.Read("file.epa"));
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_TRUE(info.out.startsWith("standard input: 17 x 9 cells")) << info.out.toStdString();
    const PipedResult png = Piped({"decode", "-", "-", "--output-format", "png"}, encoded.out);
    EXPECT_TRUE(png.out.startsWith("\x89PNG")) << png.err.toStdString();
    const PipedResult bmp = Piped({"decode", dir.Path("file.epa"), "-"}, {});
    EXPECT_TRUE(bmp.out.startsWith("BM"));
    EXPECT_EQ(Piped({"encode", "-", "--out-dir", dir.Path(".")}, {}).exitCode, 2);
}

// No display is looked for and Qt says nothing of its platform: a script sees only epatool's
// own words.
TEST(Epatool, StartsWithoutADisplayAndKeepsQtsNoiseOffStandardError) {
    TestDir dir;
    Drawing().SaveToFile(dir.Path("in.bmp"));
    dir.Write("shapes.emf", TestData("metafile/libreoffice-shapes.emf"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("XDG_RUNTIME_DIR");
    environment.insert("DISPLAY", ":4711");
    for (const QStringList& args : {QStringList{"encode", dir.Path("in.bmp"), dir.Path("a.epa")},
                                    {"encode", dir.Path("shapes.emf"), dir.Path("b.epa")},
                                    {"info", dir.Path("a.epa")},
                                    {"decode", dir.Path("a.epa"), dir.Path("a.png")}}) {
        const PipedResult r = Piped(args, {}, environment);
        EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_EQ(r.err, QString()) << args.join(' ').toStdString();
    }
}

namespace {

// 3 × 1 cells with the trailing bytes: a blinking cell, one of two colours, one whose glyph is
// lit from top to bottom, and nothing in the last cell's place of the mark.
QByteArray ThreeCellLogo() {
    QByteArray logo("\x03\x01\x8F\x1E\x1E", 5);
    for (int i = 0; i < 3 * 14; ++i)
        logo.append(char(i < 14 ? 0x81 : i));
    return logo + QByteArray(70, '\0');
}

// 3 × 2 pixels in 16 colours, three of them in use.
QByteArray SixPixelLogo() {
    std::vector<TAwbmColor> palette(16);
    palette[1] = {63, 0, 0};
    palette[15] = {10, 20, 30};
    return TAwbmLogo(3, 2, 16, palette, {0, 1, 1, 15, 15, 15}).Bytes();
}

} // namespace

// Every line info prints, for both kinds and for a file that is neither: scripts read these.
TEST(Epatool, InfoPrintsEveryLineOfBothKindsAndNamesWhatItRefuses) {
    TestDir dir;
    dir.Write("three.epa", ThreeCellLogo());
    dir.Write("six.awbm", SixPixelLogo());
    dir.Write("picture.epa", QByteArray("BM") + QByteArray(40, '\0'));
    const QString epaInfo = ": 3 x 1 cells (24 x 14 pixels), with 70 trailing bytes\n"
                            "attributes:\n"
                            "  0x1E (foreground 14, background  1): 2 cells\n"
                            "  0x8F (foreground 15, background  0, blinking): 1 cell\n"
                            "marker in the last cell: no\n";
    const QString awbmInfo = ": AWBM full-screen logo, 3 x 2 pixels, 16 colours\n"
                             "palette entries in use: 3 of 16 (red, green, blue, 0..63):\n"
                             "    0:  0  0  0: 1 pixel\n"
                             "    1: 63  0  0: 2 pixels\n"
                             "   15: 10 20 30: 3 pixels\n";
    Result r = Epatool({"info", dir.Path("three.epa")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(r.out, dir.Path("three.epa") + epaInfo);
    r = Epatool({"info", dir.Path("six.awbm")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, dir.Path("six.awbm") + awbmInfo);
    r = Epatool({"info", dir.Path("picture.epa")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, QString());
    EXPECT_EQ(r.err, "epatool: \"" + dir.Path("picture.epa") +
                         "\" is not an EPA logo file: it is a BMP picture.\n");
}

// info and decode run on Qt Core alone. The launcher is linked statically, so the dynamic
// loader's account, asked for instead of a start, is that of the program it hands them to.
TEST(Epatool, InfoDecodeAndFullScreenLogosStartWithoutQtGui) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_TRACE_LOADED_OBJECTS", "1");
    const auto started = [&](const QStringList& args) {
        return QString::fromLocal8Bit(Piped(args, {}, environment).out);
    };
    for (const QStringList& args :
         {QStringList{"info", "-"},
          {"decode", "-", "-"},
          {"encode", "in.png", "out.awbm", "--format", "awbm", "--dither"},
          {"encode", "in.png", "out.awbm", "--format=awbm"}}) {
        const QString mapped = started(args);
        EXPECT_TRUE(mapped.contains("libQt6Core")) << mapped.toStdString();
        EXPECT_FALSE(mapped.contains("libQt6Gui")) << mapped.toStdString();
    }
    EXPECT_TRUE(started({"encode", "in.png", "out.epa"}).contains("libQt6Gui"));
    EXPECT_TRUE(started({"encode", "in.png", "--", "--format", "awbm"}).contains("libQt6Gui"));
}

namespace {

// 4 × 2 pixels in 256 colours: whole 32-bit rows, which Qt's writer pads with no stray bytes.
QByteArray EightPixelLogo() {
    std::vector<TAwbmColor> palette(256);
    palette[200] = {63, 32, 1};
    palette[255] = {5, 63, 40};
    return TAwbmLogo(4, 2, 256, palette, {0, 200, 255, 7, 7, 255, 200, 0}).Bytes();
}

// What Qt's own BMP writer makes of the logo's bitmap in a program without a screen.
QByteArray QtBmp(const TBitmap& shown) {
    QImage image = shown.Image();
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(image);
    return buffer.data();
}

} // namespace

// The BMP holds the very bytes decode wrote when it drew through Qt Gui, and the PNG the same
// pixels and palette: an EPA logo and AWBM logos of both depths.
TEST(Epatool, DecodeWritesTheBytesOfTheBitmapAndAPngOfItsPixels) {
    TestDir dir;
    dir.Write("three.epa", ThreeCellLogo());
    dir.Write("six.awbm", SixPixelLogo());
    dir.Write("eight.awbm", EightPixelLogo());
    for (const QString name : {"three.epa", "six.awbm", "eight.awbm"}) {
        const TBitmap shown = name.endsWith(".epa") ? TEpaLogo::Read(dir.Path(name)).Render()
                                                    : TAwbmLogo::Read(dir.Path(name)).Render();
        Result r = Epatool({"decode", dir.Path(name), dir.Path(name + ".bmp")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(dir.Read(name + ".bmp"), QtBmp(shown)) << name.toStdString();
        r = Epatool({"decode", dir.Path(name), dir.Path(name + ".png")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QImage png(dir.Path(name + ".png"), "png");
        ASSERT_EQ(png.size(), shown.Image().size()) << name.toStdString();
        EXPECT_EQ(png.colorTable(), shown.Palette()) << name.toStdString();
        for (int y = 0; y < png.height(); ++y)
            for (int x = 0; x < png.width(); ++x)
                ASSERT_EQ(png.pixelIndex(x, y), shown.Image().pixelIndex(x, y))
                    << name.toStdString() << " at " << x << "," << y;
    }
}

namespace {

// Pictures of each kind of PNG Qt writes, at odd widths, so that rows end inside a byte.
void WritePngs(const TestDir& dir) {
    QImage rgb(97, 61, QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            rgb.setPixel(x, y, qRgb(x * 5 % 256, (x * y) % 256, (y * 7 + (x ^ y)) % 256));
    rgb.save(dir.Path("rgb.png"));
    rgb.convertToFormat(QImage::Format_Grayscale8).save(dir.Path("grey.png"));
    rgb.convertToFormat(QImage::Format_Mono).save(dir.Path("mono.png"));
    QImage indexed(45, 23, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(10, 200, 30), qRgb(1, 2, 250),
                           qRgb(255, 255, 255), qRgb(128, 64, 32)});
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x)
            indexed.setPixel(x, y, uint((x / 3 + y) % 6));
    indexed.save(dir.Path("indexed.png"));
}

// epatool-core alone in a folder of its own: what it cannot do itself, it cannot hand on.
QString LoneCore(const TestDir& dir) {
    const QString core = dir.Path("epatool-core");
    QFile::copy(QFileInfo(QStringLiteral(EPATOOL)).dir().filePath("epatool-core"), core);
    return core;
}

const QString FullTool = QFileInfo(QStringLiteral(EPATOOL)).dir().filePath("epatool-full");

} // namespace

TEST(Epatool, FullScreenLogosOfPngsAreMadeOnQtCoreAloneWithTheFullToolsBytes) {
    TestDir dir;
    WritePngs(dir);
    const QString core = LoneCore(dir);
    for (const QString name : {"rgb", "grey", "mono", "indexed"})
        for (const QStringList& options : {QStringList{"--colors", "16"},
                                           {"--colors", "16", "--dither"},
                                           {"--format=awbm", "--colors", "256", "--dither"}}) {
            const QString what = name + ' ' + options.join(' ');
            const QString in = dir.Path(name + ".png");
            const QStringList args = {"encode", in, "--format", "awbm"};
            Result r = Epatool(args + QStringList{dir.Path("core.awbm")} + options, 0, {}, core);
            ASSERT_EQ(r.exitCode, 0) << what.toStdString() << ": " << r.err.toStdString();
            r = Epatool(args + QStringList{dir.Path("full.awbm")} + options, 0, {}, FullTool);
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            r = Epatool(args + QStringList{dir.Path("launched.awbm")} + options);
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            EXPECT_EQ(dir.Read("core.awbm"), dir.Read("full.awbm")) << what.toStdString();
            EXPECT_EQ(dir.Read("launched.awbm"), dir.Read("full.awbm")) << what.toStdString();
            for (const QString logo : {"core.awbm", "full.awbm", "launched.awbm"})
                dir.Dir().remove(logo);
        }

    // The same refusal and message, without handing on, before the picture is read.
    dir.Write("taken.awbm", "mine");
    const QStringList args = {"encode", dir.Path("rgb.png"), dir.Path("taken.awbm"), "--format",
                              "awbm"};
    const Result own = Epatool(args, 0, {}, core);
    const Result full = Epatool(args, 0, {}, FullTool);
    EXPECT_EQ(own.exitCode, 1);
    EXPECT_EQ(own.err, full.err);
    EXPECT_TRUE(own.err.contains("already exists")) << own.err.toStdString();
    EXPECT_EQ(dir.Read("taken.awbm"), "mine");
}

TEST(Epatool, WhatQtCoreAloneDoesNotTakeWholeIsHandedOnToTheFullTool) {
    TestDir dir;
    WritePngs(dir);
    const QString core = LoneCore(dir);
    QImage seeThrough(31, 9, QImage::Format_ARGB32);
    seeThrough.fill(qRgba(200, 100, 50, 128));
    seeThrough.save(dir.Path("alpha.png"));
    QByteArray damaged = dir.Read("rgb.png");
    damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x10);
    dir.Write("damaged.png", damaged);
    FourColours().SaveToFile(dir.Path("bitmap.png"));

    struct Case {
        QString input;
        QStringList options;
    };
    for (const Case& c : {Case{"alpha.png", {}}, Case{"rgb.png", {"--size", "40x30"}},
                          Case{"damaged.png", {}}, Case{"bitmap.png", {}}, Case{"missing.png", {}},
                          Case{"rgb.png", {"--colors", "12"}}, Case{"rgb.png", {"--help"}}}) {
        const QString what = c.input + ' ' + c.options.join(' ');
        const QStringList args =
            QStringList{"encode", dir.Path(c.input), "--format", "awbm"} + c.options;
        const Result full = Epatool(args + QStringList{dir.Path("full.awbm")}, 0, {}, FullTool);
        const Result launched = Epatool(args + QStringList{dir.Path("launched.awbm")});
        EXPECT_EQ(launched.exitCode, full.exitCode) << what.toStdString();
        EXPECT_EQ(QString(launched.err).replace("launched.awbm", "full.awbm"), full.err)
            << what.toStdString();
        EXPECT_EQ(launched.out, full.out) << what.toStdString();
        EXPECT_EQ(dir.Read("launched.awbm"), dir.Read("full.awbm")) << what.toStdString();
        const Result alone = Epatool(args + QStringList{dir.Path("alone.awbm")}, 0, {}, core);
        EXPECT_EQ(alone.exitCode, 1) << what.toStdString();
        EXPECT_TRUE(alone.err.contains("epatool-full: No such file or directory; reinstall"))
            << what.toStdString() << ": " << alone.err.toStdString();
        EXPECT_FALSE(dir.Exists("alone.awbm"));
        for (const QString logo : {"full.awbm", "launched.awbm", "alone.awbm"})
            dir.Dir().remove(logo);
    }
    const Result piped = Epatool({"encode", "-", dir.Path("piped.awbm"), "--format", "awbm"}, 0,
                                 dir.Path("rgb.png"));
    EXPECT_EQ(piped.exitCode, 0) << piped.err.toStdString();
}
