#include "runtime/TextFile.h"

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <stdio.h>

void TTextFile::WriteLine(std::string_view line) {
    std::FILE* file = Stream();
    errno = 0;
    // The file is this object's alone: no lock taken for each write.
    if (fwrite_unlocked(line.data(), 1, line.size(), file) != line.size() ||
        fwrite_unlocked("\r\n", 1, 2, file) != 2)
        Fail(errno);
}

std::string TTextFile::ReadLine() {
    std::FILE* file = Stream();
    char* raw = nullptr;
    std::size_t capacity = 0;
    errno = 0;
    const ssize_t length = getline(&raw, &capacity, file);
    const std::unique_ptr<char, decltype(&std::free)> owned(raw, &std::free);
    if (std::ferror(file))
        Fail(errno);
    std::string line(raw, length > 0 ? length : 0);
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

bool TTextFile::Eof() {
    std::FILE* file = Stream();
    const int c = std::getc(file);
    if (c == EOF) {
        if (std::ferror(file))
            Fail(errno);
        return true;
    }
    std::ungetc(c, file);
    return false;
}
