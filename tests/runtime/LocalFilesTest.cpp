#include "runtime/LocalFiles.h"
#include "runtime/ByteFile.h"
#include "runtime/InOutError.h"
#include "runtime/TextFile.h"
#include "tests/TestDir.h"

#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The message of the error `action` raises; empty when it raises none.
template <typename Action> QString Refusal(Action&& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}

void WriteWorkingFile(const QString& fileName, const QByteArray& bytes) {
    TByteFile file(fileName);
    file.Rewrite();
    file.Write(bytes);
    file.Close();
}

} // namespace

TEST(LocalFiles, WorkingFilesAreNeverWrittenThroughALink) {
    TestDir dir;
    dir.Write("victim", "precious");
    ASSERT_TRUE(QFile::link(dir.Path("victim"), dir.Path("bin1.dat")));
    ASSERT_TRUE(QFile::link(dir.Path("nowhere"), dir.Path("bin2.dat")));
    for (const QString name : {"bin1.dat", "bin2.dat"}) {
        TTextFile file(dir.Path(name));
        const QString message = Refusal([&] { file.Rewrite(); });
        EXPECT_TRUE(message.contains(name) && message.contains("link")) << message.toStdString();
        EXPECT_TRUE(QFileInfo(dir.Path(name)).isSymLink()) << "the link is left as it was";
    }
    EXPECT_EQ(dir.Read("victim"), "precious");
    EXPECT_FALSE(dir.Exists("nowhere"));
}

TEST(LocalFiles, DeleteRemovesTheFileOrSaysItIsNotThere) {
    TestDir dir;
    dir.Write("bin.dat", "0101");
    LocalFiles::Delete(dir.Path("bin.dat"));
    EXPECT_FALSE(dir.Exists("bin.dat"));
    EXPECT_EQ(Refusal([&] { LocalFiles::Delete(dir.Path("bin.dat")); }), "File not found");
}

TEST(LocalFiles, AStaleWorkingFileIsReplacedNotWrittenInto) {
    TestDir dir;
    dir.Write("victim", "precious");
    // A second name of another file, as a hard link makes it.
    ASSERT_EQ(::link(QFile::encodeName(dir.Path("victim")).constData(),
                     QFile::encodeName(dir.Path("bin3.dat")).constData()),
              0);
    WriteWorkingFile(dir.Path("bin3.dat"), "new");
    EXPECT_EQ(dir.Read("bin3.dat"), "new");
    EXPECT_EQ(dir.Read("victim"), "precious");

    const QByteArray fifo = QFile::encodeName(dir.Path("bin.dat"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // A reader, so that a writer that opened the pipe would not wait for one for ever.
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    const QString message = Refusal([&] { WriteWorkingFile(dir.Path("bin.dat"), "x"); });
    EXPECT_TRUE(message.contains("bin.dat") && message.contains("not a regular file"))
        << message.toStdString();
    ::close(reader);
}

TEST(LocalFiles, RenameNewNeverReplacesAFileOrALink) {
    TestDir dir;
    dir.Write("new", "N");
    dir.Write("old", "O");
    EXPECT_EQ(LocalFiles::RenameNew(dir.Path("new"), dir.Path("old")), std::errc::file_exists);
    ASSERT_TRUE(QFile::link(dir.Path("nowhere"), dir.Path("dangling")));
    EXPECT_EQ(LocalFiles::RenameNew(dir.Path("new"), dir.Path("dangling")), std::errc::file_exists);
    EXPECT_EQ(dir.Names(), (QStringList{"dangling", "new", "old"}));
    EXPECT_EQ(dir.Read("old"), "O");

    EXPECT_FALSE(LocalFiles::RenameNew(dir.Path("new"), dir.Path("fresh")));
    EXPECT_EQ(dir.Read("fresh"), "N");
    EXPECT_FALSE(dir.Exists("new"));
}

TEST(LocalFiles, RenameAcrossFileSystemsFailsRatherThanCopies) {
    const SmallDisk disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root or CAP_SYS_ADMIN)";
    TestDir dir;
    dir.Write("logo", QByteArray(2367, 'L'));
    EXPECT_EQ(LocalFiles::RenameNew(dir.Path("logo"), disk.Path("logo.epa")),
              std::errc::cross_device_link);
    EXPECT_TRUE(disk.Names().isEmpty()) << "nothing copied";
    EXPECT_EQ(dir.Read("logo").size(), 2367);
}

TEST(LocalFiles, WriteNewFileIsCompleteOrAbsentAndSaysWhy) {
    const SmallDisk disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root or CAP_SYS_ADMIN)";
    disk.Fill();
    const QString full = disk.Path("x.bmp");
    EXPECT_EQ(Refusal([&] { LocalFiles::WriteNewFile(full, QByteArray(9000, 'b')); }),
              "Cannot write " + full + ": No space left on device");
    EXPECT_EQ(disk.Names(), QStringList{"filler"}) << "no partial file, no temporary";

    TestDir dir;
    dir.Write("old.bmp", "O");
    EXPECT_EQ(Refusal([&] { LocalFiles::WriteNewFile(dir.Path("old.bmp"), "N"); }),
              "Cannot write " + dir.Path("old.bmp") + ": File exists");
    EXPECT_EQ(dir.Read("old.bmp"), "O");
    const QString longName = dir.Path(QString(300, 'n'));
    EXPECT_EQ(Refusal([&] { LocalFiles::WriteNewFile(longName, "N"); }),
              "Cannot write " + longName + ": File name too long");
    EXPECT_EQ(Refusal([&] { LocalFiles::WriteNewFile({}, "N"); }),
              "Cannot write a file without a name.");
    EXPECT_EQ(dir.Names(), QStringList{"old.bmp"});

    LocalFiles::WriteNewFile(dir.Path("new.bmp"), "N");
    EXPECT_EQ(dir.Read("new.bmp"), "N");
}

// For as long as it lives, no file of this process may grow past `bytes`: a write past that
// fails as one on a full disk does, and the signal it would raise is ignored.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) : signal_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{bytes, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, signal_);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*signal_)(int);
};

// A write the system refuses half way, here at the flush when the file is closed, is reported
// with the system's reason and leaves neither the file nor its temporary behind.
TEST(LocalFiles, AWriteThatFailsAtTheFlushIsReportedAndLeavesNothing) {
    TestDir dir;
    const QString name = dir.Path("logo.epa");
    {
        const TFileSizeLimit limit(1000);
        EXPECT_EQ(Refusal([&] { LocalFiles::WriteNewFile(name, QByteArray(2367, 'e')); }),
                  "Cannot write " + name + ": File too large");
        EXPECT_EQ(Refusal([&] { LocalFiles::WriteNewFile(name, QByteArray(600, 'e')); }), QString())
            << "within the limit";
    }
    EXPECT_EQ(dir.Names(), QStringList{"logo.epa"}) << "no temporary left";
    EXPECT_EQ(dir.Read("logo.epa").size(), 600);
}

TEST(LocalFiles, WriteNewFileNamesTheFileOnlyWhenItsCheckPasses) {
    TestDir dir;
    QByteArray seen;
    const auto check = [&](bool pass) {
        return [&seen, pass](const QString& written) {
            QFile file(written);
            file.open(QIODevice::ReadOnly);
            seen = file.readAll();
            if (!pass)
                throw Exception("it did not read back");
        };
    };
    EXPECT_EQ(Refusal([&] { LocalFiles::WriteNewFile(dir.Path("a.bin"), "A", check(false)); }),
              "it did not read back");
    EXPECT_EQ(seen, "A");
    EXPECT_TRUE(dir.Names().isEmpty()) << "no file, no temporary";
    LocalFiles::WriteNewFile(dir.Path("b.bin"), "B", check(true));
    EXPECT_EQ(dir.Names(), QStringList{"b.bin"});
}

TEST(LocalFiles, NamesAreSpeltExactlyOrRefused) {
    EXPECT_EQ(LocalFiles::EncodedName(QStringLiteral("adsız.epa")), "adsız.epa");
    EXPECT_FALSE(Refusal([] { LocalFiles::EncodedName(QString(QChar(0xD800)) + "x"); }).isEmpty());
    EXPECT_FALSE(Refusal([] { LocalFiles::EncodedName(QString("a") + QChar(0) + "b"); }).isEmpty());
    EXPECT_EQ(LocalFiles::DecodedName("adsız.bmp"), QStringLiteral("adsız.bmp"));
    EXPECT_TRUE(Refusal([] { LocalFiles::DecodedName("\xff.bmp"); }).contains("encoding"));

    for (const QString name :
         {"../x.epa", "/etc/x.epa", "sub/x.epa", "sub\\x.epa", "C:x.epa", "", ".", ".."})
        EXPECT_TRUE(
            Refusal([&] { LocalFiles::RequirePlainName(name); }).contains("plain file name"))
            << name.toStdString();
    for (const QString name : {"..epa", ".logo.epa"})
        EXPECT_TRUE(Refusal([&] { LocalFiles::RequirePlainName(name); }).contains("hidden"))
            << name.toStdString();
    for (const QString name : {"logo.epa", "adsız.epa", "a b.epa", "a..epa"})
        EXPECT_EQ(Refusal([&] { LocalFiles::RequirePlainName(name); }), "") << name.toStdString();
}
