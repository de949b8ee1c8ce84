#ifndef VARNEL_TESTS_TESTDIR_H
#define VARNEL_TESTS_TESTDIR_H

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

// A private folder for one test, removed with it.
class TestDir {
public:
    TestDir();
    QDir Dir() const { return QDir(temp_.path()); }
    QString Path(const QString& name) const { return temp_.filePath(name); }
    QByteArray Read(const QString& name) const;
    void Write(const QString& name, const QByteArray& bytes) const;
    bool Exists(const QString& name) const;
    // The names in the folder, sorted.
    QStringList Names() const;

private:
    QTemporaryDir temp_;
};

// The bytes of a fixture under tests/data.
QByteArray TestData(const QString& name);
QString TestDataPath(const QString& name);

#endif
