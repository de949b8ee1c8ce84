// Writes the synthetic BIOS images the tests build, for trying epatool's rom commands by hand
// and as seeds for the image fuzzer: make_rom_images DIR.
#include "rom/LzhMember.h"
#include "tests/rom/ImageBuilder.h"

#include <QDir>
#include <QFile>
#include <cstdio>

using namespace ImageBuilder;

namespace {

bool Write(const QDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::NewOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make_rom_images: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    std::printf("%s\n", qPrintable(file.fileName()));
    return true;
}

// A small image for the fuzzer: short modules, so that mutations reach every part of it.
QByteArray SmallImage() {
    return Build(64 * K, {{"original.tmp", SystemBios(3 * K), 0x5000},
                          {"awardepa.epa", Epa(4, 2), 0x4002},
                          {"acpitbl.bin", QByteArray(300, 'a'), 0x4003, true}});
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_rom_images DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QByteArray member =
        TLzhMember::Pack("logo.epa", Epa(5, 3), TLzhMember::TMethod::Lh5, 0, 0x4002).Bytes();
    const bool ok = Write(dir, "epa-128k.bin", Build(128 * K, TypicalModules(Epa(17, 6)))) &&
                    Write(dir, "awbm-256k.bin", Build(256 * K, TypicalModules(Awbm(136, 84)))) &&
                    Write(dir, "small-64k.bin", SmallImage()) && Write(dir, "member.lzh", member);
    return ok ? 0 : 1;
}
