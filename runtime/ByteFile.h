#ifndef VARNEL_RUNTIME_BYTEFILE_H
#define VARNEL_RUNTIME_BYTEFILE_H

#include "runtime/CheckedFile.h"

#include <cstdint>

// A file of single bytes written one at a time, with positioning.
class TByteFile : public TCheckedFile {
public:
    using TCheckedFile::TCheckedFile;

    // Creates the file, or cuts an existing one to zero length.
    void Rewrite() { Open("wb"); }
    void Write(std::uint8_t byte);
    void Seek(long offset);
};

#endif
