#ifndef VARNEL_ROM_LZHMEMBER_H
#define VARNEL_ROM_LZHMEMBER_H

#include <QByteArray>
#include <cstdint>

// One LHA member with a level-1 header and no extended headers, as a BIOS image keeps its
// modules:
//   0 header length - 2   1 8-bit sum of the header from byte 2   2 method ("-lh5-")
//   7 packed size   11 unpacked size   15 time word   17 date word (a BIOS's module type)
//   19 attribute   20 level (1)   21 name length, name   CRC-16 of the unpacked data
//   OS byte   size of the next extended header (0)
class TLzhMember {
public:
    // The largest module this program unpacks; larger stated sizes are refused unread.
    static constexpr std::uint32_t MaxUnpackedSize = 1u << 20;
    static constexpr std::uint8_t Attribute = 0x20;
    static constexpr std::uint8_t OsId = 0x20;

    enum class TMethod { Stored, Lh5 };

    // Packs `data` under `name` with the time and type words given.
    static TLzhMember Pack(const QByteArray& name, const QByteArray& data, TMethod method,
                           std::uint16_t time, std::uint16_t type);
    // Reads the member whose header starts at `offset` in `bytes`. Anything but a level-1 header
    // of a known method, with a good sum, attribute 0x20, no extended header and data before
    // `end` (the end of `bytes` when -1), raises an error saying which.
    static TLzhMember Read(const QByteArray& bytes, qint64 offset, qint64 end = -1);

    // The unpacked data; damaged data or a CRC that does not match raises ELzhError.
    QByteArray Unpack() const;
    QByteArray Bytes() const;
    qint64 Size() const { return HeaderSize() + packed_.size(); }
    qint64 HeaderSize() const { return 27 + name_.size(); }

    const QByteArray& Name() const { return name_; }
    TMethod Method() const { return method_; }
    QByteArray MethodName() const { return method_ == TMethod::Lh5 ? "-lh5-" : "-lh0-"; }
    std::uint16_t Time() const { return time_; }
    std::uint16_t Type() const { return type_; }
    std::uint16_t Crc() const { return crc_; }
    std::uint32_t UnpackedSize() const { return unpackedSize_; }
    const QByteArray& Packed() const { return packed_; }

private:
    TLzhMember() = default;
    QByteArray Header() const;

    QByteArray name_;
    TMethod method_ = TMethod::Lh5;
    std::uint16_t time_ = 0;
    std::uint16_t type_ = 0;
    std::uint16_t crc_ = 0;
    std::uint32_t unpackedSize_ = 0;
    QByteArray packed_;
};

#endif
