#include "runtime/ByteFile.h"

#include <cerrno>
#include <stdio.h>

void TByteFile::Write(std::uint8_t byte) {
    std::FILE* file = Stream();
    errno = 0;
    // The file is this object's alone: no lock taken for each byte.
    if (fputc_unlocked(byte, file) == EOF)
        Fail(errno);
}

void TByteFile::Write(const QByteArray& bytes) {
    std::FILE* file = Stream();
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), file) !=
        std::size_t(bytes.size()))
        Fail(errno);
}

void TByteFile::Seek(long offset) {
    std::FILE* file = Stream();
    errno = 0;
    if (std::fseek(file, offset, SEEK_SET) != 0)
        Fail(errno);
}
