#include "runtime/BmpLayout.h"

#include "runtime/BmpFile.h"

#include <QtEndian>
#include <cstdlib>

namespace {

constexpr qint64 kFileHeader = BmpFile::FileHeaderSize;
constexpr quint32 kCoreHeader = 12;

enum Compression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

struct TDeclared {
    qint64 width = 0;
    qint64 rows = 0;
    int bitCount = 0;
    quint32 compression = Rgb;
    qint64 offset = 0;
};

bool Declared(const QByteArray& file, TDeclared& declared) {
    if (file.size() < kFileHeader + kCoreHeader || !file.startsWith("BM"))
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    const quint32 headerSize = qFromLittleEndian<quint32>(bytes + 14);
    declared.offset = qFromLittleEndian<quint32>(bytes + 10);
    if (headerSize == kCoreHeader) {
        declared.width = qFromLittleEndian<quint16>(bytes + 18);
        declared.rows = qFromLittleEndian<quint16>(bytes + 20);
        declared.bitCount = qFromLittleEndian<quint16>(bytes + 24);
        return true;
    }
    if (file.size() < kFileHeader + 20)
        return false;
    declared.width = std::abs(qint64(qFromLittleEndian<qint32>(bytes + 18)));
    declared.rows = std::abs(qint64(qFromLittleEndian<qint32>(bytes + 22)));
    declared.bitCount = qFromLittleEndian<quint16>(bytes + 28);
    declared.compression = qFromLittleEndian<quint32>(bytes + 30);
    return true;
}

// Walks the run-length codes: counted runs, end of line, end of picture, a move, a literal run
// padded to a whole word. Cut short when the bytes end before the last row or the end code.
bool RunsReachTheirEnd(const uchar* codes, qint64 size, qint64 rows, bool fourBits) {
    qint64 at = 0;
    qint64 row = 0;
    while (row < rows) {
        if (at + 2 > size)
            return false;
        const uchar count = codes[at];
        const uchar code = codes[at + 1];
        at += 2;
        if (count > 0 || code == 0) {
            row += count > 0 ? 0 : 1;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (at + 2 > size)
                return false;
            row += codes[at + 1];
            at += 2;
        } else {
            const qint64 literal = fourBits ? (code + 1) / 2 : code;
            at += (literal + 1) / 2 * 2;
        }
    }
    return at <= size;
}

bool RowsFit(const TDeclared& declared, qint64 available) {
    if (declared.width == 0 || declared.rows == 0)
        return true;
    const qint64 stride = (declared.width * declared.bitCount + 31) / 32 * 4;
    // Divided, not multiplied: a header's width, depth and height may overflow any product.
    return stride == 0 || declared.rows <= available / stride;
}

} // namespace

namespace BmpLayout {

int DeclaredBitCount(const QByteArray& file) {
    TDeclared declared;
    return Declared(file, declared) ? declared.bitCount : 0;
}

bool HoldsItsPixels(const QByteArray& file) {
    TDeclared declared;
    if (!Declared(file, declared) || declared.offset > file.size())
        return false;
    const qint64 available = file.size() - declared.offset;
    const auto* pixels = reinterpret_cast<const uchar*>(file.constData()) + declared.offset;
    switch (declared.compression) {
    case Rgb:
    case BitFields:
    case AlphaBitFields:
        return RowsFit(declared, available);
    case Rle8:
    case Rle4:
        return RunsReachTheirEnd(pixels, available, declared.rows, declared.compression == Rle4);
    default:
        return true;
    }
}

} // namespace BmpLayout
