#ifndef VARNEL_RUNTIME_PNGCHUNKS_H
#define VARNEL_RUNTIME_PNGCHUNKS_H

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// The chunks of a PNG that make its pixels. libpng, as Qt drives it, sets aside as much memory as
// a chunk's length claims before it reads the chunk, and inflates compressed text without a
// bound; a picture is therefore handed to it only as the header, palette, transparency, image
// data and end chunks, each proved to lie within the file.
namespace PngChunks {

// Length, type and checksum: the bytes around a chunk's data.
inline constexpr qsizetype Framing = 12;

// One chunk of a file: its type, its data, and where the chunk after it starts.
struct TChunk {
    QByteArrayView type;
    QByteArrayView data;
    qsizetype next = 0;
};

// The chunk that starts at `at`, when the file holds its whole length (which the PNG
// specification keeps below 2^31); its checksum is not looked at. None past the file's end.
std::optional<TChunk> At(QByteArrayView file, qsizetype at);

// `file` rebuilt from those chunks, copied as they stand (their checksums included) and in their
// order, up to the end chunk; the file itself, shared, when it holds no other chunks. None when the
// signature or the header chunk does not open the file, when a chunk's length runs past the file's
// end, or when no end chunk follows: a file cut short is refused, not drawn with its missing part
// black.
std::optional<QByteArray> Drawn(const QByteArray& file);

} // namespace PngChunks

#endif
