#ifndef VARNEL_ROM_CRC16_H
#define VARNEL_ROM_CRC16_H

#include <QByteArray>
#include <cstdint>

// The check an LHA member keeps of its unpacked data: polynomial 0xA001 over reflected bits,
// starting from 0.
std::uint16_t Crc16(const QByteArray& bytes);

#endif
