#include "rom/LzhMember.h"

#include "rom/Crc16.h"
#include "rom/Lh5Decoder.h"
#include "rom/Lh5Encoder.h"
#include "rom/LzhError.h"

#include <QtEndian>

namespace {

constexpr int FixedHeader = 22; // up to and including the name length
constexpr int Level = 1;

std::uint8_t Sum(const char* bytes, qint64 count) {
    unsigned sum = 0;
    for (qint64 i = 0; i < count; ++i)
        sum += std::uint8_t(bytes[i]);
    return std::uint8_t(sum);
}

void Put16(QByteArray& out, std::uint16_t value) {
    out.append(char(value & 0xFF)).append(char(value >> 8));
}

void Put32(QByteArray& out, std::uint32_t value) {
    Put16(out, std::uint16_t(value & 0xFFFF));
    Put16(out, std::uint16_t(value >> 16));
}

std::uint16_t Get16(const char* bytes) {
    return qFromLittleEndian<quint16>(bytes);
}

std::uint32_t Get32(const char* bytes) {
    return qFromLittleEndian<quint32>(bytes);
}

TLzhMember::TMethod MethodOf(const QByteArray& method) {
    if (method == "-lh5-")
        return TLzhMember::TMethod::Lh5;
    if (method == "-lh0-")
        return TLzhMember::TMethod::Stored;
    throw ELzhError(
        QStringLiteral("its method \"%1\" is not -lh5- or -lh0-").arg(QString::fromLatin1(method)));
}

} // namespace

TLzhMember TLzhMember::Pack(const QByteArray& name, const QByteArray& data, TMethod method,
                            std::uint16_t time, std::uint16_t type) {
    // The header's first byte must stay below FF, which a chain reads as free space.
    if (name.size() > 254 - 25)
        throw ELzhError(
            QStringLiteral("the name \"%1\" is too long").arg(QString::fromLatin1(name)));
    if (std::uint64_t(data.size()) > MaxUnpackedSize)
        throw ELzhError(QStringLiteral("the data is larger than 1 MiB"));
    TLzhMember member;
    member.name_ = name;
    member.method_ = method;
    member.time_ = time;
    member.type_ = type;
    member.crc_ = Crc16(data);
    member.unpackedSize_ = std::uint32_t(data.size());
    member.packed_ = method == TMethod::Lh5 ? Lh5Encode(data) : data;
    return member;
}

TLzhMember TLzhMember::Read(const QByteArray& bytes, qint64 offset, qint64 end) {
    if (end < 0 || end > bytes.size())
        end = bytes.size();
    if (offset + FixedHeader > end)
        throw ELzhError(QStringLiteral("its header passes the end of the image"));
    const char* h = bytes.constData() + offset;
    const int nameLength = std::uint8_t(h[21]);
    const qint64 headerSize = 27 + nameLength;
    if (offset + headerSize > end)
        throw ELzhError(QStringLiteral("its header passes the end of the image"));
    if (std::uint8_t(h[20]) != Level)
        throw ELzhError(
            QStringLiteral("its header is of level %1, not 1").arg(std::uint8_t(h[20])));
    if (std::uint8_t(h[0]) != headerSize - 2 || Get16(h + headerSize - 2) != 0)
        throw ELzhError(
            QStringLiteral("its header is not a level-1 header without extended headers"));
    if (Sum(h + 2, headerSize - 2) != std::uint8_t(h[1]))
        throw ELzhError(QStringLiteral("its header sum is wrong"));
    if (std::uint8_t(h[19]) != Attribute || std::uint8_t(h[headerSize - 3]) != OsId)
        throw ELzhError(QStringLiteral("its attribute or system byte is not 0x20"));
    TLzhMember member;
    member.method_ = MethodOf(QByteArray(h + 2, 5));
    const std::uint32_t packedSize = Get32(h + 7);
    member.unpackedSize_ = Get32(h + 11);
    if (member.unpackedSize_ > MaxUnpackedSize)
        throw ELzhError(QStringLiteral("it claims more than 1 MiB of data"));
    if (member.method_ == TMethod::Stored && packedSize != member.unpackedSize_)
        throw ELzhError(QStringLiteral("it is stored but its two sizes differ"));
    if (qint64(packedSize) > end - offset - headerSize)
        throw ELzhError(QStringLiteral("its data passes the end of the image"));
    member.time_ = Get16(h + 15);
    member.type_ = Get16(h + 17);
    member.name_ = QByteArray(h + 22, nameLength);
    member.crc_ = Get16(h + 22 + nameLength);
    member.packed_ = bytes.mid(offset + headerSize, packedSize);
    return member;
}

QByteArray TLzhMember::Unpack() const {
    const QByteArray data = method_ == TMethod::Lh5 ? Lh5Decode(packed_, unpackedSize_) : packed_;
    if (Crc16(data) != crc_)
        throw ELzhError(QStringLiteral("its CRC does not match its data"));
    return data;
}

QByteArray TLzhMember::Header() const {
    QByteArray h;
    h.append(char(HeaderSize() - 2)).append('\0').append(MethodName());
    Put32(h, std::uint32_t(packed_.size()));
    Put32(h, unpackedSize_);
    Put16(h, time_);
    Put16(h, type_);
    h.append(char(Attribute)).append(char(Level)).append(char(name_.size())).append(name_);
    Put16(h, crc_);
    h.append(char(OsId));
    Put16(h, 0);
    h[1] = char(Sum(h.constData() + 2, h.size() - 2));
    return h;
}

QByteArray TLzhMember::Bytes() const {
    return Header() + packed_;
}
