#ifndef VARNEL_TESTS_ROM_IMAGEBUILDER_H
#define VARNEL_TESTS_ROM_IMAGEBUILDER_H

#include <QByteArray>
#include <QList>
#include <cstdint>

// Synthetic Award images laid out from the documented facts alone: modules from offset 0 (in a
// 256 KiB image the system BIOS alone at 0x20000), the system BIOS followed by 00 and its
// member's sum, every other module by 00, FF free space, the decompression block 16 KiB and the
// boot block 8 KiB before the end, and the image checksum in the decompression block's page.
struct TestModule {
    QByteArray name;
    QByteArray data;
    std::uint16_t type = 0;
    bool stored = false;
};

namespace ImageBuilder {

inline constexpr qint64 K = 1024;

QByteArray Build(qint64 size, const QList<TestModule>& modules, bool checksum = true);
// Where Build puts the decompression block and the image checksum.
qint64 DecompressionAt(qint64 size);
qint64 ChecksumAt(qint64 size);

// Module contents of the kinds a BIOS holds.
QByteArray SystemBios(qint64 size);
QByteArray Noise(qint64 size, unsigned seed);
// An EPA logo of `columns` x `rows` cells with lit diagonal stripes, with or without the 70
// trailing bytes (which then hold `emblem`, repeated).
QByteArray Epa(int columns, int rows, bool trailer = true, char emblem = 0x18);
// An AWBM logo of 16 colours in stripes, or in noise that does not pack.
QByteArray Awbm(int width, int height, bool noisy = false);
// A 128 KiB image with the system BIOS, microcode, the logo and an ACPI table.
QList<TestModule> TypicalModules(const QByteArray& logo);

} // namespace ImageBuilder

#endif
