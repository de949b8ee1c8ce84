#include "tests/TestDir.h"

#include <QFile>
#include <stdexcept>

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
    return Dir().entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
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
