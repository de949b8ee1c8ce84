#ifndef VARNEL_TESTS_ZEROPNG_H
#define VARNEL_TESTS_ZEROPNG_H

#include <QByteArray>
#include <QtEndian>
#include <zlib.h>

// One PNG chunk: length, type, `data` and checksum.
inline QByteArray PngChunk(const char* type, const QByteArray& data) {
    QByteArray length(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), length.data());
    const QByteArray body = QByteArray(type) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(
        quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))),
        crc.data());
    return length + body + crc;
}

// A whole, valid PNG of `width` × `height` pixels, every one zero, at `bitsPerChannel` (8 or 16)
// in RGBA: a few hundred kilobytes that decode to a hundred megabytes or more. Its rows are
// compressed a row at a time, so that making it costs no more memory than the file.
inline QByteArray ZeroPng(int width, int height, int bitsPerChannel) {
    const auto chunk = PngChunk;
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(width), header.data());
    qToBigEndian<quint32>(quint32(height), header.data() + 4);
    header[8] = char(bitsPerChannel);
    header[9] = 6; // RGBA
    const QByteArray row(1 + qsizetype(width) * 4 * bitsPerChannel / 8, '\0');
    z_stream zip{};
    deflateInit(&zip, 6);
    QByteArray compressed;
    QByteArray out(1 << 16, '\0');
    for (int y = 0; y <= height; ++y) {
        zip.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.constData()));
        zip.avail_in = y < height ? uInt(row.size()) : 0;
        do {
            zip.next_out = reinterpret_cast<Bytef*>(out.data());
            zip.avail_out = uInt(out.size());
            deflate(&zip, y < height ? Z_NO_FLUSH : Z_FINISH);
            compressed.append(out.constData(), out.size() - zip.avail_out);
        } while (zip.avail_out == 0);
    }
    deflateEnd(&zip);
    return QByteArray("\x89PNG\r\n\x1a\n") + chunk("IHDR", header) + chunk("IDAT", compressed) +
           chunk("IEND", {});
}

#endif
