#include "runtime/CheckedFile.h"

#include "runtime/InOutError.h"
#include "runtime/LocalFiles.h"
#include "runtime/RegularFile.h"

#include <cerrno>
#ifndef Q_OS_WIN
#include <stdio.h>
#include <unistd.h>
#endif

TCheckedFile::~TCheckedFile() {
    if (file_)
        std::fclose(file_);
}

void TCheckedFile::Open(const char* mode) {
    if (file_)
        Close();
    const QByteArray name = LocalFiles::EncodedName(fileName_);
    errno = 0;
    file_ = mode[0] == 'r' ? OpenToRead() : std::fopen(name.constData(), mode);
    if (!file_)
        Fail(errno);
}

std::FILE* TCheckedFile::OpenToRead() const {
#ifdef Q_OS_WIN
    return std::fopen(LocalFiles::EncodedName(fileName_).constData(), "rb");
#else
    // Only a regular file, opened without waiting: a named pipe under a working file's name
    // would hold the open until someone wrote to it. Anything else is not for reading.
    QString kind;
    const int fd = RegularFile::OpenDescriptor(fileName_, kind);
    if (fd < 0) {
        if (!kind.isEmpty())
            errno = kind == QLatin1String("a folder") ? EISDIR : EACCES;
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "rb");
    if (!file) {
        const int error = errno;
        ::close(fd);
        errno = error;
    }
    return file;
#endif
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
        throw EInOutError(103).Named(fileName_);
    return file_;
}

void TCheckedFile::Fail(int error) {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    throw EInOutError::FromErrno(error).Named(fileName_);
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
        throw EInOutError::FromErrno(flushed ? errno : error).Named(fileName_);
}
