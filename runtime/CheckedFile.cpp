#include "runtime/CheckedFile.h"

#include "runtime/InOutError.h"

#include <QFile>
#include <cerrno>

TCheckedFile::~TCheckedFile() {
    if (file_)
        std::fclose(file_);
}

void TCheckedFile::Open(const char* mode) {
    if (file_)
        Close();
    errno = 0;
    file_ = std::fopen(QFile::encodeName(fileName_).constData(), mode);
    if (!file_)
        Fail(errno);
}

std::FILE* TCheckedFile::Stream() const {
    if (!file_)
        throw EInOutError(103);
    return file_;
}

void TCheckedFile::Fail(int error) {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    throw EInOutError(EInOutError::CodeForErrno(error ? error : EIO));
}

void TCheckedFile::Close() {
    if (!file_)
        return;
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    const bool flushed = std::fflush(file) == 0;
    const int error = errno;
    if (std::fclose(file) != 0 || !flushed)
        throw EInOutError(EInOutError::CodeForErrno(error ? error : EIO));
}
