#include "tests/TestDir.h"

#include <QFile>
#include <cstdio>
#include <stdexcept>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

TestDir::TestDir() {
    if (!temp_.isValid())
        throw std::runtime_error("cannot make a temporary folder");
}

QByteArray TestDir::Read(const QString& name) const {
    QFile file(Path(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TestDir::Write(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a test file");
}

bool TestDir::Exists(const QString& name) const {
    return QFile::exists(Path(name));
}

QStringList TestDir::Names() const {
    return Dir().entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDir::Name);
}

SmallDisk::SmallDisk(int kilobytes) {
#ifdef Q_OS_LINUX
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    mounted_ = ::mount("tmpfs", QFile::encodeName(folder_.Path(".")).constData(), "tmpfs", 0,
                       options.constData()) == 0;
#else
    Q_UNUSED(kilobytes);
#endif
}

SmallDisk::~SmallDisk() {
#ifdef Q_OS_LINUX
    if (mounted_)
        ::umount2(QFile::encodeName(folder_.Path(".")).constData(), MNT_DETACH);
#endif
}

void SmallDisk::Fill() const {
    std::FILE* filler = std::fopen(QFile::encodeName(Path("filler")).constData(), "wb");
    if (!filler)
        throw std::runtime_error("cannot fill the small disk");
    const QByteArray block(4096, 'f');
    while (std::fwrite(block.constData(), 1, block.size(), filler) == std::size_t(block.size()))
        ;
    std::fclose(filler);
}

QString TestDataPath(const QString& name) {
    return QStringLiteral(VARNEL_TEST_DATA "/") + name;
}

QByteArray TestData(const QString& name) {
    QFile file(TestDataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing fixture " + name.toStdString());
    return file.readAll();
}
