#ifndef VARNEL_RUNTIME_CHECKEDFILE_H
#define VARNEL_RUNTIME_CHECKEDFILE_H

#include <QString>
#include <cstdio>

// A file whose every operation is checked: a failure closes it and raises EInOutError with the
// runtime's code. It is closed when the object goes, on every path.
class TCheckedFile {
public:
    explicit TCheckedFile(QString fileName) : fileName_(std::move(fileName)) {}
    TCheckedFile(const TCheckedFile&) = delete;
    TCheckedFile& operator=(const TCheckedFile&) = delete;
    ~TCheckedFile();

    // Flushes and closes; a write that failed late (a full disk) is reported here.
    void Close();
    const QString& FileName() const { return fileName_; }

protected:
    // Opens an existing file with a C library mode; one to read must be a regular file, and the
    // open never waits (a named pipe or a device raises "File access denied").
    void Open(const char* mode);
    // Creates the file for writing in place of a stale one, never through a link.
    void Create();
    // Creates the file for writing; fails when anything of that name exists.
    void CreateNew();
    // The open stream; raises "I/O error 103" (file not open) when there is none.
    std::FILE* Stream() const;
    [[noreturn]] void Fail(int error);

private:
    std::FILE* OpenToRead() const;

    QString fileName_;
    std::FILE* file_ = nullptr;
};

#endif
