#include "tests/logo/LogoFixture.h"

#include "logo/WorkingFiles.h"
#include "runtime/ConvertError.h"
#include "runtime/InOutError.h"

#include <QDir>

namespace {

int OpenFileCount() {
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

} // namespace

using EpaSave = LogoFixture;

TEST_F(EpaSave, BlankLogoRightAfterStartUpIsByteExact) {
    Convert();
    steps = 0;
    Save();
    EXPECT_EQ(steps, 126);
    QByteArray expected;
    expected += char(0x11);
    expected += char(0x09);
    expected += QByteArray(152, char(0x0F));
    expected += char(0x0A);
    expected += QByteArray(2135, 0);
    expected += QByteArray::fromHex("acaaacaa4a");
    expected += QByteArray(2 + 70, 0);
    ASSERT_EQ(expected.size(), 2367);
    EXPECT_EQ(Logo(), expected);
    EXPECT_EQ(dir.Names(), (QStringList{WorkingFiles::ByteRows, WorkingFiles::ByteList,
                                        QStringLiteral("logo.epa")}));
}

TEST_F(EpaSave, ByteListHoldsSizeTableGlyphsAndTrailerInOrder) {
    colors.Set(1, 0, 4);  // row 0, column 1: line 4
    colors.Set(0, 1, -1); // row 1, column 0: line 20, written as it is
    Light(8, 14);         // cell (1, 1), pixel line 0: 128
    Light(0, 13);         // cell (0, 0), pixel line 13: 128
    Convert();
    Save();
    const QList<QByteArray> lines = Lines(WorkingFiles::ByteList);
    ASSERT_EQ(lines.size(), 2367);
    EXPECT_EQ(lines[0], "17");
    EXPECT_EQ(lines[1], "9");
    EXPECT_EQ(lines[3], "4");
    EXPECT_EQ(lines[2 + 17], "-1");
    const int glyphs = 2 + 153;
    EXPECT_EQ(lines[glyphs + 13], "128");
    EXPECT_EQ(lines[glyphs + 14 * (17 + 1)], "128");
    for (int i = 2367 - 70; i < 2367; ++i)
        ASSERT_EQ(lines[i], "0");

    const QByteArray logo = Logo();
    EXPECT_EQ(Byte(logo, 2 + 1), 4);
    EXPECT_EQ(Byte(logo, 2 + 17), 0xFF) << "low 8 bits of -1";
    EXPECT_EQ(Byte(logo, 155 + 13), 0x80);
    EXPECT_EQ(Byte(logo, 155 + 14 * 18), 0x80);
}

TEST_F(EpaSave, BottomRightCellKeepsItsMarkerWhateverTheDrawingAndTable) {
    colors.Set(16, 8, 3);
    for (int y = 112; y < 126; ++y)
        for (int x = 128; x < 136; ++x)
            Light(x, y);
    Convert();
    Save();
    const QByteArray logo = Logo();
    EXPECT_EQ(Byte(logo, 154), 0x0A);
    const int cell = 155 + 14 * 152;
    EXPECT_EQ(logo.mid(cell, 14), QByteArray::fromHex("ffffffffffffffacaaacaa4affff"));
}

TEST_F(EpaSave, TableChangesAfterConversionAreSaved) {
    Convert();
    Save(QStringLiteral("a.epa"));
    colors.Set(0, 0, 4);
    Save(QStringLiteral("b.epa"));
    EXPECT_EQ(Byte(Logo("a.epa"), 2), 15);
    EXPECT_EQ(Byte(Logo("b.epa"), 2), 4);
}

TEST_F(EpaSave, ExistingLogoIsNeverReplacedAndTheFailureIsReported) {
    Convert();
    dir.Write("logo.epa", "precious");
    try {
        Save();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains("logo.epa"));
        EXPECT_TRUE(e.Message().contains("already exists"));
    }
    EXPECT_EQ(Logo(), "precious");
    EXPECT_EQ(dir.Read(WorkingFiles::Binary).size(), 2367) << "the new logo is kept";
}

TEST_F(EpaSave, ALogoNameOnAnotherFileSystemFailsAndNothingIsCopied) {
    const SmallDisk disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root or CAP_SYS_ADMIN)";
    Convert();
    try {
        Save(disk.Path("logo.epa"));
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains("another file system")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains(WorkingFiles::Binary));
    }
    EXPECT_TRUE(disk.Names().isEmpty()) << "not even an empty logo";
    EXPECT_EQ(dir.Read(WorkingFiles::Binary).size(), 2367) << "the new logo is kept";
}

TEST_F(EpaSave, BadByteListLineFailsWithTheOffendingTextAndClosesEveryFile) {
    Convert();
    QByteArray rows = dir.Read(WorkingFiles::ByteRows);
    rows.replace(0, 1, "x");
    dir.Write(WorkingFiles::ByteRows, rows);
    const int open = OpenFileCount();
    try {
        Save();
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x' is not a valid integer value");
    }
    EXPECT_EQ(OpenFileCount(), open);
    EXPECT_FALSE(dir.Exists("logo.epa"));
}

TEST_F(EpaSave, MissingByteRowsRaisesFileNotFound) {
    try {
        Save();
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "File not found");
        EXPECT_EQ(e.ErrorCode(), 2);
    }
    EXPECT_FALSE(dir.Exists("logo.epa"));
}

TEST_F(EpaSave, ShortByteRowsGiveEmptyFieldsThatFailAsNumbers) {
    Convert();
    QByteArray rows = dir.Read(WorkingFiles::ByteRows);
    rows.truncate(rows.size() / 2);
    dir.Write(WorkingFiles::ByteRows, rows);
    EXPECT_THROW(Save(), EConvertError);
}
