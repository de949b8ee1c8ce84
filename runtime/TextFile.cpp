#include "runtime/TextFile.h"

#include <cerrno>
#include <stdio.h>

void TTextFile::WriteLine(std::string_view line) {
    Write(line);
    Write("\r\n");
}

void TTextFile::Write(std::string_view text) {
    std::FILE* file = Stream();
    errno = 0;
    // The file is this object's alone: no lock taken for each write.
    if (fwrite_unlocked(text.data(), 1, text.size(), file) != text.size())
        Fail(errno);
}

void TTextFile::Reset() {
    Open("rb");
    readBuffer_.clear();
    readPos_ = 0;
}

// The next stretch of the file in place of the part read; false at its end.
bool TTextFile::Refill() {
    std::FILE* file = Stream();
    readBuffer_.resize(kReadChunk);
    readPos_ = 0;
    errno = 0;
    // The file is this object's alone: no lock taken for each read.
    readBuffer_.resize(fread_unlocked(readBuffer_.data(), 1, kReadChunk, file));
    if (std::ferror(file))
        Fail(errno);
    return !readBuffer_.empty();
}

std::string TTextFile::ReadLine() {
    Stream();
    std::string line;
    // The line's end is looked for in whole stretches read ahead, not a character at a time.
    while (readPos_ < readBuffer_.size() || Refill()) {
        const std::string_view rest = std::string_view(readBuffer_).substr(readPos_);
        const std::size_t end = rest.find('\n');
        line.append(rest.substr(0, end));
        if (end != std::string_view::npos) {
            readPos_ += end + 1;
            break;
        }
        readPos_ = readBuffer_.size();
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

bool TTextFile::Eof() {
    Stream();
    return readPos_ == readBuffer_.size() && !Refill();
}
