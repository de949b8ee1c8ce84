#include "rom/AwardImage.h"
#include "rom/LzhError.h"
#include "rom/ModuleType.h"
#include "tests/rom/ImageBuilder.h"

#include <gtest/gtest.h>

namespace {

using namespace ImageBuilder;

QString RefusalOf(const QByteArray& bytes) {
    try {
        TAwardImage::Parse(bytes, "bios.bin");
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}

TEST(AwardImage, Walks128KiBImage) {
    const QList<TestModule> modules = TypicalModules(Epa(17, 6));
    const QByteArray bytes = Build(128 * K, modules);
    const TAwardImage image = TAwardImage::Parse(bytes, "bios.bin");
    ASSERT_EQ(image.Modules().size(), std::size_t(modules.size()));
    EXPECT_EQ(image.Modules()[0].offset, 0);
    for (int i = 0; i < modules.size(); ++i) {
        const TRomModule& m = image.Modules()[std::size_t(i)];
        EXPECT_EQ(m.member.Name(), modules[i].name);
        EXPECT_EQ(m.member.Type(), modules[i].type);
        EXPECT_EQ(m.member.Unpack(), modules[i].data);
    }
    EXPECT_EQ(image.Modules()[4].member.Method(), TLzhMember::TMethod::Stored);
    EXPECT_EQ(image.LogoIndex(), 2);
    EXPECT_EQ(image.Checksum(), TAwardImage::TChecksum::SumBeforeDecompression);
    EXPECT_EQ(image.ChecksumOffset(), 0x1CFFE);
    const TRomModule& last = image.Modules().back();
    EXPECT_EQ(image.FreeSpaceAfter(0), 0x1C000 - (last.offset + last.member.Size() + 1));
}

TEST(AwardImage, Walks256KiBImageWithTheSystemBiosApart) {
    const QByteArray bytes = Build(256 * K, TypicalModules(Awbm(136, 84)));
    const TAwardImage image = TAwardImage::Parse(bytes, "bios.bin");
    ASSERT_EQ(image.Modules().size(), 5u);
    EXPECT_EQ(image.Modules().back().offset, 0x20000);
    EXPECT_EQ(image.Modules().back().member.Type(), ModuleType::SystemBios);
    EXPECT_EQ(image.Modules().front().member.Name(), "ncpucode.bin");
    EXPECT_EQ(image.LogoIndex(), 1);
    EXPECT_EQ(image.ChecksumOffset(), 0x3CFFE);
    const TRomModule& last = image.Modules()[3];
    EXPECT_EQ(image.FreeSpaceAfter(1), 0x20000 - (last.offset + last.member.Size() + 1));
}

TEST(AwardImage, KnowsWhenTheChecksumFollowsNoRule) {
    QByteArray bytes = Build(128 * K, TypicalModules(Epa(17, 6)), false);
    bytes[ChecksumAt(128 * K)] = char(TAwardImage::ImageSum(bytes, ChecksumAt(128 * K)) + 1);
    const TAwardImage image = TAwardImage::Parse(bytes, "bios.bin");
    EXPECT_EQ(image.Checksum(), TAwardImage::TChecksum::Unknown);
    EXPECT_THROW(image.Replaced(image.LogoIndex(), image.Modules()[2].member), Exception);
}

TEST(AwardImage, NamesTheTypesItKnows) {
    EXPECT_EQ(ModuleType::Describe(0x4002), "logo (0x4002)");
    EXPECT_EQ(ModuleType::Describe(0x5000), "system BIOS (0x5000)");
    EXPECT_EQ(ModuleType::Describe(0x4100), "0x4100");
}

TEST(AwardImage, RefusesWhatItDoesNotKnow) {
    const QByteArray good = Build(128 * K, TypicalModules(Epa(17, 6)));
    ASSERT_TRUE(RefusalOf(good).isEmpty());
    // The bytes at `at` changed; in a header, its sum kept good with `sumAt`.
    const auto with = [&](qint64 at, QByteArray bytes, qint64 sumAt = -1) {
        QByteArray image = good;
        if (sumAt >= 0)
            image[sumAt] = char(image[sumAt] + bytes[0] - image[at]);
        image.replace(at, bytes.size(), bytes);
        return RefusalOf(image);
    };
    const TAwardImage image = TAwardImage::Parse(good, "x");
    const qint64 second = image.Modules()[1].offset;
    const TRomModule& last = image.Modules().back();
    const qint64 free = last.offset + last.member.Size() + 1;
    const char headerSum = good[second + 1];
    const struct {
        QString refusal;
        QString reason;
    } cases[] = {
        {RefusalOf(good.left(100 * K + 1)), "not a whole number of KiB"},
        {RefusalOf(good + QByteArray(1000, '\xFF')), "not a whole number of KiB"},
        {RefusalOf(good.right(32 * K)), "from 64 KiB to 1 MiB"},
        {RefusalOf(Build(2048 * K, {})), "from 64 KiB to 1 MiB"},
        {with(0x1C000, "x"), "no decompression block"},
        {with(128 * K - 8 * K + 0x10, "x"), "no boot block"},
        {with(128 * K - 16, "\x90"), "jump (0xEA)"},
        {with(128 * K - 11, "*MRX*"), "*MRB*"},
        {with(second + 1, QByteArray(1, char(headerSum + 1))), "header sum"},
        {with(second + 5, "6", second + 1), "-lh6-"},
        {with(second + 19, "\x21", second + 1), "attribute"},
        {with(second + 20, "\x02", second + 1), "level 2"},
        {with(second - 1, "\x01"), "not followed by 00"},
        {with(second - 2, "\x01"), "not followed by 00 and its sum"},
        {with(free + 100, QByteArray(1, '\0')), "free space after its modules holds data at 0x"},
        {with(free - 1, "\x05"), "not followed by 00"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.refusal.startsWith("\"bios.bin\" is not an Award BIOS image I know: "))
            << c.refusal.toStdString();
        EXPECT_TRUE(c.refusal.contains(c.reason)) << c.refusal.toStdString();
    }
}

TEST(AwardImage, RefusesModulesOutOfPlace) {
    const QByteArray logo = Epa(17, 6);
    QList<TestModule> twoLogos = TypicalModules(logo);
    twoLogos.append({"second.epa", logo, 0x4002});
    EXPECT_TRUE(RefusalOf(Build(128 * K, twoLogos)).contains("two logo modules"));
    QList<TestModule> noBios = TypicalModules(logo);
    noBios.removeFirst();
    EXPECT_TRUE(RefusalOf(Build(128 * K, noBios)).contains("0 system BIOS modules"));
    // The system BIOS of a 256 KiB image laid out as in a 128 KiB one.
    QByteArray moved = Build(128 * K, TypicalModules(logo), false);
    moved = moved.left(112 * K) + QByteArray(128 * K, '\xFF') + moved.right(16 * K);
    EXPECT_TRUE(RefusalOf(moved).contains("not the one module at 0x20000"));
}

} // namespace
