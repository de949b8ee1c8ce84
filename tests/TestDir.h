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
    // The names of everything in the folder but subfolders (hidden files and links too), sorted.
    QStringList Names() const;

private:
    QTemporaryDir temp_;
};

// A small tmpfs mounted on a private folder for the life of a test: a disk that fills up, and a
// file system other than the build folder's. Mounting needs privileges; Mounted() says whether
// it worked, so that a test can skip with the reason.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    QString Path(const QString& name) const { return folder_.Path(name); }
    QStringList Names() const { return folder_.Names(); }
    // Fills the disk to its last byte with the file "filler".
    void Fill() const;

private:
    TestDir folder_;
    bool mounted_ = false;
};

// The bytes of a fixture under tests/data.
QByteArray TestData(const QString& name);
QString TestDataPath(const QString& name);

#endif
