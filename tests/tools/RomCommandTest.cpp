#include "rom/AwardImage.h"
#include "tests/TestDir.h"
#include "tests/rom/ImageBuilder.h"
#include "tests/rom/Lhasa.h"

#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

using namespace ImageBuilder;

struct RomResult {
    int exitCode = -1;
    QString out;
    QString err;
};

RomResult Rom(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(EPATOOL), QStringList{"rom"} + args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

class RomCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("bios.bin", Build(128 * K, TypicalModules(Epa(17, 6))));
        dir.Write("awbm.bin", Build(256 * K, TypicalModules(Awbm(136, 84))));
    }
    // Whatever happened, the inputs are as they were.
    void TearDown() override {
        EXPECT_EQ(dir.Read("bios.bin"), Build(128 * K, TypicalModules(Epa(17, 6))));
    }
    TestDir dir;
};

TEST_F(RomCommand, ListsEveryModuleTheLogoTheFreeSpaceAndTheChecksum) {
    const RomResult r = Rom({"list", dir.Path("bios.bin")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    for (const char* expected :
         {"Award BIOS image, 128 KiB, 5 modules", "original.tmp", "system BIOS (0x5000)",
          "awardepa.epa", "logo (0x4002)", "CPU microcode (0x4001)", "ACPI table (0x4003)", "-lh0-",
          "logo: EPA logo, 17 x 6 cells, with the 70 trailing bytes",
          "free space: ", "the 8-bit sum of all bytes before 0x1CFFE, stored there (good)"})
        EXPECT_TRUE(r.out.contains(expected)) << expected << "\n" << r.out.toStdString();
    EXPECT_EQ(r.out.count(" good\n"), 5); // five CRCs
    const RomResult awbm = Rom({"list", dir.Path("awbm.bin")});
    EXPECT_TRUE(awbm.out.contains("logo: AWBM logo, 136 x 84 pixels, 16 colours"));
    EXPECT_EQ(awbm.out.count("free space: "), 2);
}

TEST_F(RomCommand, ListFindsADamagedCrcAndSaysSoByItsStatus) {
    QByteArray bytes = dir.Read("bios.bin");
    const TAwardImage image = TAwardImage::Parse(bytes, "x");
    const TRomModule& microcode = image.Modules()[1];
    const qint64 at = microcode.offset + microcode.member.HeaderSize() + 100;
    bytes[at] = char(bytes[at] ^ 0x10);
    dir.Write("damaged.bin", bytes);
    const RomResult r = Rom({"list", dir.Path("damaged.bin")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains("BAD")) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("1 module is damaged")) << r.err.toStdString();
    EXPECT_EQ(
        Rom({"replace", dir.Path("damaged.bin"), dir.Path("x.epa"), dir.Path("o.bin")}).exitCode,
        1);
}

TEST_F(RomCommand, ExtractThenReplaceWithTheSameLogoGivesTheSameModules) {
    RomResult r = Rom({"extract", dir.Path("bios.bin"), dir.Path("stock.epa")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(dir.Read("stock.epa"), Epa(17, 6));
    r = Rom({"replace", dir.Path("bios.bin"), dir.Path("stock.epa"), dir.Path("new.bin")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("every module read back and checked"));
    const TAwardImage before = TAwardImage::Parse(dir.Read("bios.bin"), "a");
    const TAwardImage after = TAwardImage::Parse(dir.Read("new.bin"), "b");
    for (std::size_t i = 0; i < before.Modules().size(); ++i)
        EXPECT_EQ(after.Modules()[i].member.Unpack(), before.Modules()[i].member.Unpack());
    EXPECT_EQ(dir.Read("new.bin"), dir.Read("bios.bin"));
}

TEST_F(RomCommand, ExtractsTheLogoAsAPictureAndEveryModule) {
    EXPECT_EQ(Rom({"extract", dir.Path("bios.bin"), dir.Path("logo.png")}).exitCode, 0);
    EXPECT_TRUE(dir.Read("logo.png").startsWith("\x89PNG"));
    EXPECT_EQ(Rom({"extract", dir.Path("awbm.bin"), dir.Path("logo.awbm")}).exitCode, 0);
    EXPECT_EQ(dir.Read("logo.awbm"), Awbm(136, 84));
    const RomResult wrongKind = Rom({"extract", dir.Path("awbm.bin"), dir.Path("logo.epa")});
    EXPECT_EQ(wrongKind.exitCode, 1);
    EXPECT_TRUE(wrongKind.err.contains("holds an AWBM logo")) << wrongKind.err.toStdString();
    EXPECT_FALSE(dir.Exists("logo.epa"));

    dir.Dir().mkdir("all");
    const RomResult all = Rom({"extract", dir.Path("bios.bin"), "--all", dir.Path("all")});
    EXPECT_EQ(all.exitCode, 0) << all.err.toStdString();
    for (const TestModule& m : TypicalModules(Epa(17, 6)))
        EXPECT_EQ(dir.Read("all/" + QString::fromLatin1(m.name)), m.data);
    // A second run writes over nothing.
    EXPECT_EQ(Rom({"extract", dir.Path("bios.bin"), "--all", dir.Path("all")}).exitCode, 1);
}

TEST_F(RomCommand, ExtractAllMakesStoredNamesSafe) {
    QList<TestModule> modules = TypicalModules(Epa(17, 6));
    modules[1].name = "../../etc/x";
    modules[3].name = ".hidden";
    dir.Write("odd.bin", Build(128 * K, modules));
    dir.Dir().mkdir("all");
    ASSERT_EQ(Rom({"extract", dir.Path("odd.bin"), "--all", dir.Path("all")}).exitCode, 0);
    EXPECT_EQ(QDir(dir.Path("all")).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"_.._etc_x", "awardepa.epa", "awardext.rom", "hidden", "original.tmp"}));
}

TEST_F(RomCommand, ReplaceGrowsAndShrinksAndLhasaReadsEveryModule) {
    dir.Write("big.epa", Epa(17, 9, true, 0x77));
    dir.Write("small.epa", Epa(3, 2));
    for (const QString logo : {"big.epa", "small.epa"}) {
        const QString out = logo + ".bin";
        const RomResult r = Rom({"replace", dir.Path("bios.bin"), dir.Path(logo), dir.Path(out)});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("warning: the new logo has")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("epatool encode PICTURE LOGO.epa --cells 17x6"))
            << r.err.toStdString();
        const QByteArray bytes = dir.Read(out);
        const TAwardImage image = TAwardImage::Parse(bytes, out);
        EXPECT_EQ(image.Modules()[2].member.Unpack().right(70), QByteArray(70, 0x18));
        for (const TRomModule& module : image.Modules()) {
            const QString name = QString::fromLatin1(module.member.Name());
            dir.Write(name + ".lzh", bytes.mid(module.offset, module.member.Size()) + '\0');
            EXPECT_TRUE(Lhasa::Tests(dir.Path(name + ".lzh"))) << name.toStdString();
        }
    }
    ASSERT_EQ(Rom({"replace", dir.Path("bios.bin"), dir.Path("small.epa"), dir.Path("blank.bin"),
                   "--blank-emblem"})
                  .exitCode,
              0);
    const TAwardImage blank = TAwardImage::Parse(dir.Read("blank.bin"), "x");
    EXPECT_EQ(blank.Modules()[2].member.Unpack(), Epa(3, 2, true, 0));
}

TEST_F(RomCommand, ReplaceRefusesWithTheReasonAndWritesNothing) {
    dir.Write("stock.epa", Epa(17, 6));
    dir.Write("logo.awbm", Awbm(136, 84));
    dir.Write("huge.awbm", Awbm(1024, 256, true));
    dir.Write("text.txt", "not a logo");
    QByteArray unknownSum = dir.Read("bios.bin");
    unknownSum[ChecksumAt(128 * K)] = char(unknownSum[ChecksumAt(128 * K)] ^ 1);
    dir.Write("nosum.bin", unknownSum);
    QByteArray strange = dir.Read("bios.bin");
    strange[0x1B000] = 0;
    dir.Write("strange.bin", strange);
    dir.Write("exists.bin", "mine");
    const struct {
        QStringList args;
        QString reason;
    } cases[] = {
        {{"bios.bin", "logo.awbm", "o.bin"}, "--kind-change"},
        {{"bios.bin", "huge.awbm", "o.bin", "--kind-change"}, "bytes more than"},
        {{"bios.bin", "text.txt", "o.bin"}, "neither an EPA nor an AWBM logo"},
        {{"nosum.bin", "stock.epa", "o.bin"}, "checksum follows no rule I know"},
        {{"strange.bin", "stock.epa", "o.bin"}, "not an Award BIOS image I know: the free space"},
        {{"bios.bin", "stock.epa", "exists.bin"}, "already exists"},
        {{"bios.bin", "missing.epa", "o.bin"}, "Cannot open"},
    };
    for (const auto& c : cases) {
        QStringList args{"replace"};
        for (const QString& a : c.args)
            args << (a.startsWith("--") ? a : dir.Path(a));
        const RomResult r = Rom(args);
        EXPECT_EQ(r.exitCode, 1) << c.reason.toStdString();
        EXPECT_TRUE(r.err.contains(c.reason)) << r.err.toStdString();
        EXPECT_FALSE(dir.Exists("o.bin"));
    }
    EXPECT_EQ(dir.Read("exists.bin"), "mine");
    EXPECT_EQ(Rom({"replace", dir.Path("bios.bin"), dir.Path("stock.epa")}).exitCode, 2);
    EXPECT_EQ(Rom({"replace", "a", "b", "c", "--frobnicate"}).exitCode, 2);
    EXPECT_EQ(Rom({"replace", dir.Path("bios.bin"), dir.Path("logo.awbm"), dir.Path("o.bin"),
                   "--kind-change"})
                  .exitCode,
              0);
    EXPECT_EQ(dir.Names().filter(".varnel-").size(), 0);
}

TEST_F(RomCommand, AWriteFailureLeavesNoOutput) {
    const SmallDisk disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root or CAP_SYS_ADMIN)";
    dir.Write("stock.epa", Epa(17, 6));
    const RomResult r =
        Rom({"replace", dir.Path("bios.bin"), dir.Path("stock.epa"), disk.Path("new.bin")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("No space left on device")) << r.err.toStdString();
    EXPECT_TRUE(disk.Names().isEmpty()) << "no cut image, no temporary file";
}

TEST_F(RomCommand, DecodeDrawsTheEmblemUnderTheLogo) {
    dir.Write("logo.epa", Epa(17, 6, true, char(0x80)));
    ASSERT_EQ(Rom({}).exitCode, 2);
    QProcess process;
    process.start(QStringLiteral(EPATOOL),
                  {"decode", dir.Path("logo.epa"), dir.Path("shown.png"), "--emblem"});
    process.waitForFinished(60000);
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QImage shown(dir.Path("shown.png"));
    ASSERT_EQ(shown.size(), QSize(136, 6 * 14 + 14));
    for (int c = 0; c < 5; ++c) // the leftmost pixel of each emblem character is lit
        EXPECT_EQ(shown.pixel(c * 8, 6 * 14 + 3), qRgb(255, 255, 255)) << c;
    EXPECT_EQ(shown.pixel(1, 6 * 14 + 3), qRgb(0, 0, 0));

    // Standard input and output and the chosen format, as for any logo.
    process.setStandardInputFile(dir.Path("logo.epa"));
    process.start(QStringLiteral(EPATOOL), {"decode", "-", "-", "--emblem", "--output-format=png"});
    process.waitForFinished(60000);
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.readAllStandardOutput(), dir.Read("shown.png"));
}

} // namespace
