#ifndef VARNEL_RUNTIME_BYTEFILE_H
#define VARNEL_RUNTIME_BYTEFILE_H

#include "runtime/CheckedFile.h"

#include <QByteArray>
#include <cstdint>

// A binary file written a byte or a block at a time, with positioning.
class TByteFile : public TCheckedFile {
public:
    using TCheckedFile::TCheckedFile;

    // Creates the file afresh, replacing an existing one (see LocalFiles::MakeWayFor).
    void Rewrite() { Create(); }
    using TCheckedFile::CreateNew;
    void Write(std::uint8_t byte);
    void Write(const QByteArray& bytes);
    void Seek(long offset);
};

#endif
