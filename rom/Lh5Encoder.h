#ifndef VARNEL_ROM_LH5ENCODER_H
#define VARNEL_ROM_LH5ENCODER_H

#include <QByteArray>

// Packs `data` by the "-lh5-" method; Lh5Decode(result, data.size()) gives `data` back.
QByteArray Lh5Encode(const QByteArray& data);

#endif
