#include "runtime/TextFile.h"

#include <array>
#include <cerrno>
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
    std::string line;
    // Gathered in a buffer of our own, then appended; the file is this object's alone, so no
    // lock is taken for each character.
    std::array<char, 256> chunk;
    std::size_t used = 0;
    int c;
    errno = 0;
    while ((c = getc_unlocked(file)) != EOF && c != '\n') {
        chunk[used++] = static_cast<char>(c);
        if (used == chunk.size()) {
            line.append(chunk.data(), used);
            used = 0;
        }
    }
    line.append(chunk.data(), used);
    if (std::ferror(file))
        Fail(errno);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

bool TTextFile::Eof() {
    std::FILE* file = Stream();
    const int c = getc_unlocked(file);
    if (c == EOF) {
        if (std::ferror(file))
            Fail(errno);
        return true;
    }
    std::ungetc(c, file);
    return false;
}
