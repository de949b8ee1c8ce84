#include "runtime/ByteFile.h"

#include <cerrno>

void TByteFile::Write(std::uint8_t byte) {
    std::FILE* file = Stream();
    errno = 0;
    if (std::fputc(byte, file) == EOF)
        Fail(errno);
}

void TByteFile::Seek(long offset) {
    std::FILE* file = Stream();
    errno = 0;
    if (std::fseek(file, offset, SEEK_SET) != 0)
        Fail(errno);
}
