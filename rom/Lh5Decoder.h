#ifndef VARNEL_ROM_LH5DECODER_H
#define VARNEL_ROM_LH5DECODER_H

#include <QByteArray>

// Unpacks "-lh5-" data to exactly `size` bytes. Damaged data (a code its table lacks, a match
// that reaches before the start or past `size`, data that ends early) raises ELzhError. Memory
// follows `size`, which the caller bounds.
QByteArray Lh5Decode(const QByteArray& packed, qint64 size);

#endif
