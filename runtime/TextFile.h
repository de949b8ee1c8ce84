#ifndef VARNEL_RUNTIME_TEXTFILE_H
#define VARNEL_RUNTIME_TEXTFILE_H

#include "runtime/CheckedFile.h"

#include <string>
#include <string_view>

// A line-oriented single-byte text file. Lines are written with CR LF; reading accepts CR LF
// or LF.
class TTextFile : public TCheckedFile {
public:
    using TCheckedFile::TCheckedFile;

    // Creates the file afresh for writing, replacing an existing one (see
    // LocalFiles::MakeWayFor).
    void Rewrite() { Create(); }
    // Opens an existing file for reading.
    void Reset();
    void WriteLine(std::string_view line);
    // Writes `text` as it stands: lines the caller has ended already.
    void Write(std::string_view text);
    // The next line without its end; an empty text once the end has been reached.
    std::string ReadLine();
    bool Eof();

private:
    static constexpr std::size_t kReadChunk = 16 * 1024;
    bool Refill();

    // What was read ahead of the lines given out, from readPos_ on.
    std::string readBuffer_;
    std::size_t readPos_ = 0;
};

#endif
