#ifndef VARNEL_RUNTIME_BMPLAYOUT_H
#define VARNEL_RUNTIME_BMPLAYOUT_H

#include <QByteArray>

// Whether a BMP file's bytes hold the picture its headers declare. A reader fills rows the data
// does not reach with black and reads on from an offset past the end; a file cut short or lying
// about its size is refused instead, before anything is allocated for it.
namespace BmpLayout {

// The bit count the headers declare, from either header kind; 0 when it is not a BMP we know.
int DeclaredBitCount(const QByteArray& file);

// True when the pixel offset lies within the file and the pixel data covers every row the
// headers declare: uncompressed rows in full, padding included (a reader drops a row it cannot
// read whole), run-length codes up to their end-of-picture code or the last row. Compressions it
// does not know pass.
bool HoldsItsPixels(const QByteArray& file);

} // namespace BmpLayout

#endif
