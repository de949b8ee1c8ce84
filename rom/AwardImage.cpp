#include "rom/AwardImage.h"

#include "rom/LzhError.h"
#include "rom/ModuleType.h"
#include "runtime/StreamBytes.h"

namespace {

constexpr char BootBlockMark[] = "Award BootBlock BIOS";
constexpr char DecompressionMark[] = "= Award Decompression Bios =";
constexpr char BootTag[] = "*MRB*";
constexpr qint64 PageSize = 0x1000;
constexpr qint64 ChecksumInPage = 0xFFE;
// In a 256 KiB image the system BIOS sits apart from the other modules.
constexpr qint64 SplitImageSize = 256 * 1024;
constexpr qint64 SystemBiosAt = 0x20000;

QString Hex(qint64 value) {
    return QStringLiteral("0x%1").arg(QString::number(value, 16).toUpper());
}

std::uint8_t Sum(const char* bytes, qint64 count) {
    unsigned sum = 0;
    for (qint64 i = 0; i < count; ++i)
        sum += std::uint8_t(bytes[i]);
    return std::uint8_t(sum);
}

// What follows a member in its chain.
QByteArray GapAfter(const TLzhMember& member) {
    QByteArray gap(1, '\0');
    if (member.Type() == ModuleType::SystemBios) {
        const QByteArray bytes = member.Bytes();
        gap.append(char(Sum(bytes.constData(), bytes.size())));
    }
    return gap;
}

} // namespace

std::uint8_t TAwardImage::ImageSum(const QByteArray& bytes, qint64 offset) {
    return Sum(bytes.constData(), offset);
}

TAwardImage TAwardImage::Parse(const QByteArray& bytes, const QString& name) {
    TAwardImage image;
    image.bytes_ = bytes;
    image.name_ = name;
    try {
        const qint64 size = bytes.size();
        if (size < MinSize || size > MaxSize || size % 1024 != 0)
            throw Exception(QStringLiteral("its size, %1 bytes, is not a whole number of KiB "
                                           "from 64 KiB to 1 MiB")
                                .arg(size));
        const qint64 decompression = bytes.indexOf(DecompressionMark);
        image.CheckMarkers(decompression);
        const qint64 page = decompression & ~(PageSize - 1);
        if (size == SplitImageSize && page > SystemBiosAt)
            image.regions_ = {{0, SystemBiosAt}, {SystemBiosAt, page}};
        else
            image.regions_ = {{0, page}};
        for (int region = 0; region < int(image.regions_.size()); ++region)
            image.Walk(region);
        image.CheckRequiredModules();
        image.checksumOffset_ = page + ChecksumInPage;
        if (ImageSum(bytes, image.checksumOffset_) == std::uint8_t(bytes[image.checksumOffset_]))
            image.checksum_ = TChecksum::SumBeforeDecompression;
    } catch (const Exception& e) {
        throw Exception(
            QStringLiteral("\"%1\" is not an Award BIOS image I know: %2").arg(name, e.Message()));
    }
    return image;
}

TAwardImage TAwardImage::Read(const QString& fileName) {
    const std::optional<QByteArray> bytes = ReadFileAtMost(fileName, MaxSize);
    if (!bytes)
        throw Exception(QStringLiteral("\"%1\" is not an Award BIOS image I know: it is longer "
                                       "than 1 MiB.")
                            .arg(fileName));
    return Parse(*bytes, fileName);
}

void TAwardImage::CheckMarkers(qint64 decompression) const {
    const qint64 size = bytes_.size();
    if (decompression < 0)
        throw Exception(QStringLiteral("it has no decompression block (\"%1\")")
                            .arg(QLatin1String(DecompressionMark)));
    if (bytes_.indexOf(BootBlockMark, decompression) < 0)
        throw Exception(QStringLiteral("it has no boot block (\"%1\") after its decompression "
                                       "block")
                            .arg(QLatin1String(BootBlockMark)));
    if (std::uint8_t(bytes_[size - 16]) != 0xEA || bytes_.mid(size - 11, 5) != BootTag)
        throw Exception(
            QStringLiteral("its boot block does not end with the jump (0xEA) and \"*MRB*\""));
    if ((decompression & ~(PageSize - 1)) + ChecksumInPage >= size - 16)
        throw Exception(QStringLiteral("its decompression block lies inside the boot block"));
}

void TAwardImage::Walk(int region) {
    TRegion& r = regions_[std::size_t(region)];
    qint64 at = r.start;
    while (at < r.end && std::uint8_t(bytes_[at]) != 0xFF) {
        TLzhMember member = [&] {
            try {
                return TLzhMember::Read(bytes_, at, r.end);
            } catch (const ELzhError& e) {
                throw Exception(QStringLiteral("the module at %1: %2").arg(Hex(at), e.Message()));
            }
        }();
        const QByteArray gap = GapAfter(member);
        const qint64 gapAt = at + member.Size();
        if (bytes_.mid(gapAt, gap.size()) != gap)
            throw Exception(QStringLiteral("the module \"%1\" at %2 is not followed by %3")
                                .arg(QString::fromLatin1(member.Name()), Hex(at),
                                     gap.size() == 1 ? QStringLiteral("00")
                                                     : QStringLiteral("00 and its sum")));
        modules_.push_back({std::move(member), at, region});
        at = gapAt + gap.size();
    }
    r.used = at;
    for (qint64 i = at; i < r.end; ++i)
        if (std::uint8_t(bytes_[i]) != 0xFF)
            throw Exception(
                QStringLiteral("the free space after its modules holds data at %1").arg(Hex(i)));
}

void TAwardImage::CheckRequiredModules() {
    int systemBios = 0;
    for (int i = 0; i < int(modules_.size()); ++i) {
        const std::uint16_t type = modules_[std::size_t(i)].member.Type();
        systemBios += type == ModuleType::SystemBios;
        if (type != ModuleType::Logo)
            continue;
        if (logo_ >= 0)
            throw Exception(QStringLiteral("it holds two logo modules"));
        logo_ = i;
    }
    if (systemBios != 1)
        throw Exception(QStringLiteral("it holds %1 system BIOS modules, not one").arg(systemBios));
    if (regions_.size() > 1 && modules_.back().member.Type() != ModuleType::SystemBios)
        throw Exception(
            QStringLiteral("the system BIOS is not the one module at %1").arg(Hex(SystemBiosAt)));
    if (regions_.size() > 1 && modules_.back().offset != SystemBiosAt)
        throw Exception(QStringLiteral("nothing lies at %1").arg(Hex(SystemBiosAt)));
}

QByteArray TAwardImage::Blocks() const {
    QByteArray blocks = bytes_.mid(regions_.back().end);
    blocks[checksumOffset_ - regions_.back().end] = 0;
    return blocks;
}

QString TAwardImage::ChecksumRule() const {
    if (checksum_ == TChecksum::Unknown)
        return QStringLiteral("none I know (the byte at %1 is not the sum before it)")
            .arg(Hex(checksumOffset_));
    return QStringLiteral("the 8-bit sum of all bytes before %1, stored there (good)")
        .arg(Hex(checksumOffset_));
}

qint64 TAwardImage::FreeSpaceAfter(int index) const {
    const TRegion& r = regions_[std::size_t(modules_[std::size_t(index)].region)];
    return r.end - r.used;
}

QByteArray TAwardImage::LaidOut(int region, const std::vector<TLzhMember>& members) const {
    const TRegion& r = regions_[std::size_t(region)];
    QByteArray chain;
    for (const TLzhMember& member : members)
        chain += member.Bytes() + GapAfter(member);
    const qint64 room = r.end - r.start;
    if (chain.size() > room)
        throw Exception(QStringLiteral("the modules no longer fit: they need %1 bytes more than "
                                       "the %2 bytes of their space")
                            .arg(chain.size() - room)
                            .arg(room));
    return chain + QByteArray(room - chain.size(), '\xFF');
}

QByteArray TAwardImage::Replaced(int index, const TLzhMember& member) const {
    if (checksum_ == TChecksum::Unknown)
        throw Exception(QStringLiteral("the image's checksum follows no rule I know, so I cannot "
                                       "write a new one"));
    const int region = modules_[std::size_t(index)].region;
    std::vector<TLzhMember> members;
    for (int i = 0; i < int(modules_.size()); ++i)
        if (modules_[std::size_t(i)].region == region)
            members.push_back(i == index ? member : modules_[std::size_t(i)].member);
    QByteArray out = bytes_;
    const TRegion& r = regions_[std::size_t(region)];
    out.replace(r.start, r.end - r.start, LaidOut(region, members));
    out[checksumOffset_] = char(ImageSum(out, checksumOffset_));
    return out;
}
