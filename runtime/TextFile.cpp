#include "runtime/TextFile.h"

#include <cerrno>

void TTextFile::WriteLine(std::string_view line) {
    std::FILE* file = Stream();
    errno = 0;
    if (std::fwrite(line.data(), 1, line.size(), file) != line.size() ||
        std::fwrite("\r\n", 1, 2, file) != 2)
        Fail(errno);
}

std::string TTextFile::ReadLine() {
    std::FILE* file = Stream();
    std::string line;
    int c;
    while ((c = std::getc(file)) != EOF && c != '\n')
        line.push_back(static_cast<char>(c));
    if (std::ferror(file))
        Fail(errno);
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
