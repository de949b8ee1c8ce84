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
    void Open(const char* mode);
    // The open stream; raises "I/O error 103" (file not open) when there is none.
    std::FILE* Stream() const;
    [[noreturn]] void Fail(int error);

private:
    QString fileName_;
    std::FILE* file_ = nullptr;
};

#endif
