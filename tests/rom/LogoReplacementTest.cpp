#include "rom/LogoReplacement.h"
#include "rom/AwardImage.h"
#include "rom/LzhError.h"
#include "tests/TestDir.h"
#include "tests/rom/ImageBuilder.h"
#include "tests/rom/Lhasa.h"

#include <gtest/gtest.h>

namespace {

using namespace ImageBuilder;

TAwardImage Image(qint64 size, const QByteArray& logo) {
    return TAwardImage::Parse(Build(size, TypicalModules(logo)), "bios.bin");
}

QString RefusalOf(const TAwardImage& image, const QByteArray& logo, TReplaceOptions options = {}) {
    try {
        LogoReplacement::Replace(image, logo, "new.epa", options);
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}

// Every module of `bytes`, cut out of the image as it lies there, read back by lhasa.
void ExpectLhasaReadsEveryModule(const QByteArray& bytes) {
    const TAwardImage image = TAwardImage::Parse(bytes, "new.bin");
    TestDir dir;
    for (const TRomModule& module : image.Modules()) {
        const QString archive = dir.Path(QString::fromLatin1(module.member.Name()) + ".lzh");
        dir.Write(QFileInfo(archive).fileName(),
                  bytes.mid(module.offset, module.member.Size()) + QByteArray(1, '\0'));
        EXPECT_TRUE(Lhasa::Tests(archive)) << module.member.Name().toStdString();
        EXPECT_EQ(Lhasa::Extract(archive, QString::fromLatin1(module.member.Name())),
                  module.member.Unpack());
    }
}

TEST(LogoReplacement, SameLogoGivesTheSameImage) {
    for (const qint64 size : {128 * K, 256 * K}) {
        const QByteArray stock = Epa(17, 6);
        const TAwardImage image = Image(size, stock);
        const TReplacement result = LogoReplacement::Replace(image, stock, "same.epa", {});
        EXPECT_EQ(result.image, image.Bytes());
        EXPECT_TRUE(result.warnings.isEmpty());
        LogoReplacement::Verify(image, result.image, stock, "new.bin");
    }
}

TEST(LogoReplacement, GrowsAndShrinksTheModuleAndShiftsTheOthers) {
    const TAwardImage image = Image(128 * K, Epa(17, 6));
    for (const QByteArray& logo : {Epa(17, 9, true, 0x55) + QByteArray(), Epa(4, 2, false)}) {
        const TReplacement result = LogoReplacement::Replace(image, logo, "new.epa", {});
        LogoReplacement::Verify(image, result.image, result.logo, "new.bin");
        const TAwardImage written = TAwardImage::Parse(result.image, "new.bin");
        const TRomModule& before = image.Modules()[3];
        const TRomModule& after = written.Modules()[3];
        EXPECT_EQ(after.member.Bytes(), before.member.Bytes());
        EXPECT_EQ(after.offset - before.offset,
                  written.Modules()[2].member.Size() - image.Modules()[2].member.Size());
        EXPECT_EQ(written.FreeSpaceAfter(0) - image.FreeSpaceAfter(0),
                  before.offset - after.offset);
        // The stock emblem stays, whatever the new logo brought.
        EXPECT_EQ(result.logo.right(70), QByteArray(70, 0x18));
        EXPECT_EQ(written.Modules()[2].member.Unpack(), result.logo);
        EXPECT_EQ(written.Modules()[2].member.Time(), 0x1A2B);
        EXPECT_EQ(result.warnings.size(), 1);
        ExpectLhasaReadsEveryModule(result.image);
    }
}

TEST(LogoReplacement, BlanksTheEmblemOnlyWhenAsked) {
    const TAwardImage image = Image(128 * K, Epa(17, 6));
    const TReplacement result =
        LogoReplacement::Replace(image, Epa(17, 6, true, 0x33), "new.epa", {false, true});
    EXPECT_EQ(result.logo, Epa(17, 6, true, 0));
}

TEST(LogoReplacement, ReplacesAwbmInA256KiBImage) {
    const TAwardImage image = Image(256 * K, Awbm(136, 84));
    const QByteArray logo = Awbm(640, 480);
    const TReplacement result = LogoReplacement::Replace(image, logo, "new.awbm", {});
    EXPECT_EQ(result.logo, logo);
    LogoReplacement::Verify(image, result.image, logo, "new.bin");
    EXPECT_EQ(TAwardImage::Parse(result.image, "new.bin").Modules().back().offset, 0x20000);
    ExpectLhasaReadsEveryModule(result.image);
}

TEST(LogoReplacement, RefusesWhatItShouldNotWrite) {
    const TAwardImage epaImage = Image(128 * K, Epa(17, 6));
    EXPECT_TRUE(RefusalOf(epaImage, Awbm(136, 84)).contains("--kind-change"));
    EXPECT_TRUE(RefusalOf(epaImage, Awbm(136, 84), {true, false}).isEmpty());
    EXPECT_TRUE(RefusalOf(epaImage, "not a logo").contains("neither an EPA nor an AWBM"));
    // Noise packs to its own size: 128 KiB cannot fit in the 112 KiB of modules.
    const QString tooLarge = RefusalOf(epaImage, Awbm(1024, 256, true), {true, false});
    EXPECT_TRUE(tooLarge.contains("no longer fit")) << tooLarge.toStdString();

    QList<TestModule> noLogo = TypicalModules({});
    noLogo.removeAt(2);
    EXPECT_TRUE(RefusalOf(TAwardImage::Parse(Build(128 * K, noLogo), "x"), Epa(17, 6))
                    .contains("no logo module"));

    QByteArray unknownSum = epaImage.Bytes();
    unknownSum[epaImage.ChecksumOffset()] = char(unknownSum[epaImage.ChecksumOffset()] + 1);
    EXPECT_TRUE(RefusalOf(TAwardImage::Parse(unknownSum, "x"), Epa(17, 6))
                    .contains("checksum follows no rule"));
}

TEST(LogoReplacement, FindsADamagedModule) {
    QByteArray bytes = Build(128 * K, TypicalModules(Epa(17, 6)));
    const TAwardImage good = TAwardImage::Parse(bytes, "bios.bin");
    const TRomModule& acpi = good.Modules()[3];
    const qint64 at = acpi.offset + acpi.member.HeaderSize() + 10;
    bytes[at] = char(bytes[at] ^ 0x40);
    bytes[ChecksumAt(128 * K)] = char(TAwardImage::ImageSum(bytes, ChecksumAt(128 * K)));
    const TAwardImage damaged = TAwardImage::Parse(bytes, "bios.bin");
    EXPECT_THROW(LogoReplacement::CheckModules(damaged), Exception);
    EXPECT_TRUE(RefusalOf(damaged, Epa(17, 6))
                    .startsWith("\"bios.bin\": the module \"acpitbl.bin\" at 0x"));
}

TEST(LogoReplacement, VerifyCatchesAnyDifference) {
    const TAwardImage image = Image(128 * K, Epa(17, 6));
    const QByteArray logo = Epa(17, 6, true, 0x18);
    const QByteArray good = LogoReplacement::Replace(image, logo, "x", {}).image;
    LogoReplacement::Verify(image, good, logo, "new.bin");
    EXPECT_THROW(LogoReplacement::Verify(image, good, Epa(17, 5), "new.bin"), Exception);
    const auto damagedAt = [&](qint64 at) {
        QByteArray bytes = good;
        bytes[at] = char(bytes[at] ^ 1);
        return bytes;
    };
    const qint64 inMicrocode = image.Modules()[1].offset + 40;
    const qint64 inBootBlock = 128 * K - 100;
    for (const qint64 at : {inMicrocode, inBootBlock, image.ChecksumOffset()})
        EXPECT_THROW(LogoReplacement::Verify(image, damagedAt(at), logo, "new.bin"), Exception)
            << at;
}

} // namespace
