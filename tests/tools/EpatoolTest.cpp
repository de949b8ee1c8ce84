#include "formats/EpaLogo.h"
#include "runtime/Bitmap.h"
#include "tests/TestDir.h"

#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Result {
    int exitCode;
    QString out;
    QString err;
};

Result Epatool(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(EPATOOL), args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
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
    EXPECT_TRUE(info.out.contains("0x0A (foreground 10, background  0): 1 cells"));
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
