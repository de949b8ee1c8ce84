#ifndef VARNEL_ROM_LH5DECODER_H
#define VARNEL_ROM_LH5DECODER_H

#include <QByteArray>

// Unpacks "-lh5-" data to exactly `size` bytes. Damaged data (a code its table lacks, a match
// that reaches before the start or past `size`, data that ends early) raises ELzhError, and so
// does a `size` over 1 MiB. Memory follows `size`.
QByteArray Lh5Decode(const QByteArray& packed, qint64 size);

#endif
