#include "runtime/ByteFile.h"
#include "runtime/ConvertError.h"
#include "runtime/InOutError.h"
#include "runtime/StrToInt.h"
#include "runtime/TextFile.h"
#include "tests/Failure.h"
#include "tests/TestDir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

TEST(TextFile, WritesCrLfAndReadsLinesUntilTheEnd) {
    TestDir dir;
    TTextFile out(dir.Path("t.txt"));
    out.Rewrite();
    out.WriteLine("17");
    out.WriteLine("");
    out.Close();
    EXPECT_EQ(dir.Read("t.txt"), "17\r\n\r\n");

    dir.Write("u.txt", "a\r\nb\nc");
    TTextFile in(dir.Path("u.txt"));
    in.Reset();
    EXPECT_EQ(in.ReadLine(), "a");
    EXPECT_FALSE(in.Eof());
    EXPECT_EQ(in.ReadLine(), "b");
    EXPECT_EQ(in.ReadLine(), "c");
    EXPECT_TRUE(in.Eof());
    EXPECT_EQ(in.ReadLine(), "") << "past the end reads empty lines";
}

// Lines are read ahead in stretches of 16 KB: a line end torn from its CR across a stretch's
// edge, lines longer than a stretch and zero bytes must all come back whole.
TEST(TextFile, LinesComeBackWholeWhereverTheStretchesEnd) {
    std::vector<std::string> lines = {std::string(16383, 'a'), std::string(40000, 'b'),
                                      std::string("x\0y", 3), ""};
    for (int length = 1; length < 200; ++length)
        lines.push_back(std::string(length, char('0' + length % 10)));
    QByteArray text;
    for (const std::string& line : lines)
        text += QByteArray::fromStdString(line) + "\r\n";
    ASSERT_EQ(text.at(16383), '\r') << "the first line's CR ends the first stretch";
    text += "last";
    lines.push_back("last");
    TestDir dir;
    dir.Write("long.txt", text);
    TTextFile in(dir.Path("long.txt"));
    for (int pass = 0; pass < 2; ++pass) { // and again from the start after a Reset
        in.Reset();
        for (const std::string& line : lines)
            ASSERT_EQ(in.ReadLine(), line) << "pass " << pass;
        EXPECT_TRUE(in.Eof());
    }
}

TEST(TextFile, FailuresCarryTheRuntimeMessages) {
    TestDir dir;
    TTextFile missing(dir.Path("none.dat"));
    EXPECT_EQ(Failure([&] { missing.Reset(); }), "File not found");
    TTextFile folder(dir.Path("."));
    EXPECT_EQ(Failure([&] { folder.Rewrite(); }), "File access denied");
    // A working file's name taken by a folder or a pipe without a writer: refused at once, and
    // the error tells which file it befell.
    TTextFile readFolder(dir.Path("."));
    EXPECT_EQ(Failure([&] { readFolder.Reset(); }), "File access denied");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.Path("bin1.dat")).constData(), 0600), 0);
    TTextFile pipe(dir.Path("bin1.dat"));
    try {
        pipe.Reset();
        ADD_FAILURE() << "a pipe opened";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "File access denied");
        EXPECT_EQ(e.FileName(), dir.Path("bin1.dat"));
    }
    TTextFile closed(dir.Path("c.dat"));
    EXPECT_EQ(Failure([&] { closed.WriteLine("x"); }), "I/O error 103");
    if (const SmallDisk disk(64); disk.Mounted()) {
        disk.Fill();
        TByteFile full(disk.Path("bin3.dat"));
        full.Rewrite();
        EXPECT_EQ(Failure([&] {
                      for (int i = 0; i < 70000; ++i)
                          full.Write(0);
                      full.Close();
                  }),
                  "Disk full");
    }
    EXPECT_EQ(EInOutError::MessageFor(100), "Read beyond end of file");
    EXPECT_EQ(EInOutError::MessageFor(32), "I/O error 32");
}

// The device that takes no byte: every write that reaches it fails for want of space. Our files
// never open a device themselves, so the test opens it for them.
template <typename File> class TOnFullDevice : public File {
public:
    TOnFullDevice() : File(QStringLiteral("/dev/full")) { this->Open("wb"); }
};

// What a write that reaches the disk fails with: at the write when it is too long to be kept
// back, else at the close that flushes it; never nothing.
TEST(TextFile, AWriteThatCannotReachTheDiskIsReportedAtTheWriteOrTheClose) {
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full here";
    TOnFullDevice<TTextFile> text;
    EXPECT_EQ(Failure([&] { text.WriteLine("1.2.3"); }), QString()) << "kept back";
    EXPECT_EQ(Failure([&] { text.Close(); }), "Disk full");
    TOnFullDevice<TTextFile> longText;
    EXPECT_EQ(Failure([&] { longText.Write(std::string(1 << 20, '0')); }), "Disk full");
    EXPECT_EQ(Failure([&] { longText.Close(); }), QString()) << "closed by the failure";

    TOnFullDevice<TByteFile> bytes;
    bytes.Write(std::uint8_t(7));
    bytes.Write(QByteArray(100, 'b'));
    EXPECT_EQ(Failure([&] { bytes.Close(); }), "Disk full");
    TOnFullDevice<TByteFile> longBytes;
    EXPECT_EQ(Failure([&] { longBytes.Write(QByteArray(1 << 20, 'b')); }), "Disk full");
}

TEST(ByteFile, WritesBytesAndPatchesAtOffsets) {
    TestDir dir;
    TByteFile file(dir.Path("b.bin"));
    file.Rewrite();
    for (int i = 0; i < 4; ++i)
        file.Write(std::uint8_t(i));
    file.Seek(1);
    file.Write(0xAC);
    file.Close();
    EXPECT_EQ(dir.Read("b.bin"), QByteArray::fromHex("00ac0203"));
}

TEST(StrToInt, AcceptsPlainDecimalsOnly) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("255"), 255);
    EXPECT_EQ(StrToInt("-1"), -1);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    for (const char* bad : {"", " 1", "1 ", "1.", "x", "2147483648", "+-1", "--1", "0x10"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("'%1' is not a valid integer value").arg(bad));
        }
    }
}
