// Any bytes offered as an Award BIOS image, as one LHA member, or as raw "-lh5-" data: either
// refused with a message, or walked and unpacked completely; an image that parses takes its own
// logo back and must prove the result.
#include "rom/AwardImage.h"
#include "rom/Lh5Decoder.h"
#include "rom/LogoReplacement.h"
#include "rom/LzhMember.h"
#include "runtime/Exception.h"

#include <cstdint>
#include <cstdlib>

namespace {

void AsImage(const QByteArray& bytes) {
    const TAwardImage image = TAwardImage::Parse(bytes, QStringLiteral("fuzz.bin"));
    for (const TRomModule& module : image.Modules())
        if (module.member.Unpack().size() != qint64(module.member.UnpackedSize()))
            std::abort();
    if (image.LogoIndex() < 0 || image.Checksum() == TAwardImage::TChecksum::Unknown)
        return;
    const QByteArray logo = image.Modules()[std::size_t(image.LogoIndex())].member.Unpack();
    const TReplacement result = LogoReplacement::Replace(image, logo, "fuzz.epa", {true, false});
    LogoReplacement::Verify(image, result.image, result.logo, QStringLiteral("fuzz-out.bin"));
}

// The first three bytes give the unpacked size (up to 1 MiB), the rest is the packed data.
void AsRawData(const QByteArray& bytes) {
    if (bytes.size() < 3)
        return;
    const qint64 size =
        (std::uint8_t(bytes[0]) | std::uint8_t(bytes[1]) << 8 | std::uint8_t(bytes[2]) << 16) &
        0xFFFFF;
    if (Lh5Decode(bytes.mid(3), size).size() != size)
        std::abort();
}

template <typename Reader> void Try(Reader&& read, const QByteArray& bytes) {
    try {
        read(bytes);
    } catch (const Exception&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Try(AsImage, bytes);
    Try([](const QByteArray& b) { TLzhMember::Read(b, 0).Unpack(); }, bytes);
    Try(AsRawData, bytes);
    return 0;
}
