#include "runtime/CheckedFile.h"

#include "runtime/InOutError.h"
#include "runtime/LocalFiles.h"

#include <cerrno>

TCheckedFile::~TCheckedFile() {
    if (file_)
        std::fclose(file_);
}

void TCheckedFile::Open(const char* mode) {
    if (file_)
        Close();
    const QByteArray name = LocalFiles::EncodedName(fileName_);
    errno = 0;
    file_ = std::fopen(name.constData(), mode);
    if (!file_)
        Fail(errno);
}

void TCheckedFile::Create() {
    if (file_)
        Close();
    LocalFiles::MakeWayFor(fileName_);
    CreateNew();
}

void TCheckedFile::CreateNew() {
    // "x": the open fails when the name exists, even as a link, so nothing is written through one.
    Open("wbx");
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
    throw EInOutError::FromErrno(error);
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
        throw EInOutError::FromErrno(flushed ? errno : error);
}
