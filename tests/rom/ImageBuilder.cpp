#include "tests/rom/ImageBuilder.h"

#include "logo/AwbmLogo.h"
#include "rom/LzhMember.h"

#include <random>

namespace {

std::uint8_t Sum(const QByteArray& bytes, qint64 count) {
    unsigned sum = 0;
    for (qint64 i = 0; i < count; ++i)
        sum += std::uint8_t(bytes[i]);
    return std::uint8_t(sum);
}

void Put(QByteArray& image, qint64 at, const QByteArray& bytes) {
    image.replace(at, bytes.size(), bytes);
}

QByteArray Chain(const QList<TestModule>& modules) {
    QByteArray chain;
    for (const TestModule& m : modules) {
        const QByteArray member =
            TLzhMember::Pack(m.name, m.data,
                             m.stored ? TLzhMember::TMethod::Stored : TLzhMember::TMethod::Lh5,
                             0x1A2B, m.type)
                .Bytes();
        chain += member + QByteArray(1, '\0');
        if (m.type == 0x5000)
            chain.append(char(Sum(member, member.size())));
    }
    return chain;
}

} // namespace

qint64 ImageBuilder::DecompressionAt(qint64 size) {
    return size - 16 * K;
}

qint64 ImageBuilder::ChecksumAt(qint64 size) {
    return DecompressionAt(size) + 0xFFE;
}

QByteArray ImageBuilder::Build(qint64 size, const QList<TestModule>& modules, bool checksum) {
    QByteArray image(size, '\xFF');
    QList<TestModule> first;
    QList<TestModule> apart;
    for (const TestModule& m : modules)
        (size == 256 * K && m.type == 0x5000 ? apart : first).append(m);
    Put(image, 0, Chain(first));
    if (!apart.isEmpty())
        Put(image, 0x20000, Chain(apart));
    Put(image, DecompressionAt(size), "= Award Decompression Bios =" + Noise(600, 99));
    Put(image, size - 8 * K + 0x10, "Award BootBlock BIOS v1.0");
    Put(image, size - 16, QByteArray("\xEA\x5B\xE0\x00\xF0", 5) + "*MRB*");
    if (checksum)
        image[ChecksumAt(size)] = char(Sum(image, ChecksumAt(size)));
    return image;
}

QByteArray ImageBuilder::SystemBios(qint64 size) {
    // Code-like: short instruction patterns, tables of words, strings.
    std::mt19937 random(5);
    QByteArray bytes;
    while (bytes.size() < size) {
        switch (random() % 4) {
        case 0:
            bytes += QByteArray("\x66\xB8\x00\x00\xE8", 5).append(char(random() % 8));
            break;
        case 1:
            bytes += "Award Modular BIOS v4.51PG";
            break;
        case 2:
            for (int i = 0; i < 8; ++i)
                bytes.append(char(i * 2)).append(char(0xF0 | (random() % 2)));
            break;
        default:
            bytes.append(char(random()));
        }
    }
    return bytes.left(size);
}

QByteArray ImageBuilder::Noise(qint64 size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random());
    return bytes;
}

QByteArray ImageBuilder::Epa(int columns, int rows, bool trailer, char emblem) {
    QByteArray bytes;
    bytes.append(char(columns)).append(char(rows));
    for (int i = 0; i < columns * rows; ++i)
        bytes.append(char(0x09 + i % 7));
    for (int i = 0; i < columns * rows * 14; ++i)
        bytes.append(char(0x81 >> (i % 8)));
    if (trailer)
        bytes += QByteArray(70, emblem);
    return bytes;
}

QByteArray ImageBuilder::Awbm(int width, int height, bool noisy) {
    std::vector<TAwbmColor> palette(16);
    for (int i = 0; i < 16; ++i)
        palette[std::size_t(i)] = {std::uint8_t(i * 4), std::uint8_t(63 - i * 4), 20};
    std::vector<std::uint8_t> indices(std::size_t(width) * height);
    const QByteArray noise = noisy ? Noise(qint64(indices.size()), 21) : QByteArray();
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] =
            std::uint8_t(noisy ? noise[qint64(i)] & 15 : (i / 7 + i / std::size_t(width)) % 16);
    return TAwbmLogo(width, height, 16, palette, indices).Bytes();
}

QList<TestModule> ImageBuilder::TypicalModules(const QByteArray& logo) {
    return {
        {"original.tmp", SystemBios(60 * K), 0x5000},
        {"ncpucode.bin", Noise(6 * K, 3), 0x4001},
        {"awardepa.epa", logo, 0x4002},
        {"acpitbl.bin", SystemBios(9 * K).mid(100), 0x4003},
        {"awardext.rom", QByteArray(2000, 'e'), 0x4100, true},
    };
}
