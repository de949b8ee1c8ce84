#ifndef VARNEL_ROM_AWARDIMAGE_H
#define VARNEL_ROM_AWARDIMAGE_H

#include "rom/RomModule.h"

#include <QByteArray>
#include <QString>
#include <vector>

// An Award BIOS 4.5x/6.0 image as this program knows it:
//   - 64 KiB to 1 MiB in whole KiB; the boot block at the end ("Award BootBlock BIOS", the jump
//     0xEA 16 bytes before the end, "*MRB*" 11 bytes before it), the decompression block
//     ("= Award Decompression Bios =") before it;
//   - the modules as LHA members in chains: one from offset 0 up to the decompression block's
//     4 KiB page, or, in a 256 KiB image, one from 0 to 0x20000 and the system BIOS alone from
//     0x20000. The system BIOS is followed by 00 and the 8-bit sum of its member, every other
//     member by one 00; the rest of a chain is free space, FF.
//   - in many images, the 8-bit sum of all bytes before (decompression page + 0xFFE) stored there.
// Anything else is refused, with the reason, rather than guessed at.
class TAwardImage {
public:
    static constexpr qint64 MinSize = 64 * 1024;
    static constexpr qint64 MaxSize = 1024 * 1024;

    enum class TChecksum { Unknown, SumBeforeDecompression };

    // Raises "NAME is not an Award BIOS image I know: REASON" for anything it does not know.
    static TAwardImage Parse(const QByteArray& bytes, const QString& name);
    // The same for the file: one that cannot be opened, or is longer than 1 MiB, raises an
    // error naming it.
    static TAwardImage Read(const QString& fileName);

    const QByteArray& Bytes() const { return bytes_; }
    // The name Parse was given, for messages.
    const QString& Name() const { return name_; }
    const std::vector<TRomModule>& Modules() const { return modules_; }
    // The logo module's index, or -1. Two logo modules are refused by Parse.
    int LogoIndex() const { return logo_; }
    TChecksum Checksum() const { return checksum_; }
    qint64 ChecksumOffset() const { return checksumOffset_; }
    // The checksum rule in words: "the 8-bit sum of all bytes before 0x1EFFE, stored there
    // (good)", or why none holds.
    QString ChecksumRule() const;
    // Everything after the module chains (the decompression and boot blocks), the image
    // checksum left out.
    QByteArray Blocks() const;
    // The free bytes at the end of the chain that holds module `index`.
    qint64 FreeSpaceAfter(int index) const;

    // The image with module `index` replaced by `member`: the members after it in its chain
    // shifted, gaps and sums rewritten, the image checksum recomputed. Raises an error when the
    // chain no longer fits (saying by how much) or the image's checksum rule is unknown.
    QByteArray Replaced(int index, const TLzhMember& member) const;

    // The 8-bit sum the image checksum rule stores, computed over `bytes` as they are.
    static std::uint8_t ImageSum(const QByteArray& bytes, qint64 offset);

private:
    struct TRegion {
        qint64 start = 0;
        qint64 end = 0;
        qint64 used = 0; // up to the end of the last gap
    };

    TAwardImage() = default;
    void CheckMarkers(qint64 decompression) const;
    void Walk(int region);
    void CheckRequiredModules();
    QByteArray LaidOut(int region, const std::vector<TLzhMember>& members) const;

    QByteArray bytes_;
    QString name_;
    std::vector<TRegion> regions_;
    std::vector<TRomModule> modules_;
    int logo_ = -1;
    TChecksum checksum_ = TChecksum::Unknown;
    qint64 checksumOffset_ = 0;
};

#endif
