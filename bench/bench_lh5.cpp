// Our "-lh5-" packer beside another LHA packer (jlha, when installed) on a handful of inputs:
// packed sizes and their ratio, and our packing and unpacking speed.
#include "rom/Lh5Decoder.h"
#include "rom/Lh5Encoder.h"
#include "tests/rom/ImageBuilder.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <random>

namespace {

struct Input {
    const char* name;
    QByteArray bytes;
};

QByteArray FileBytes(const QString& path, qint64 limit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(limit);
}

QByteArray Noise(qint64 size) {
    std::mt19937 random(1);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random() & 0x0F); // four bits of entropy a byte
    return bytes;
}

// The packed size jlha gives, read from lhasa's listing of its archive; -1 without the tools.
qint64 ReferenceSize(const QByteArray& data) {
    QTemporaryDir dir;
    QFile file(dir.filePath("input"));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return -1;
    file.close();
    QProcess pack;
    pack.setWorkingDirectory(dir.path());
    pack.start("jlha", {"a", "ref.lzh", "input"});
    if (!pack.waitForFinished(120000) || pack.exitCode() != 0)
        return -1;
    QProcess list;
    list.start("lhasa", {"v", dir.filePath("ref.lzh")});
    list.waitForFinished(60000);
    for (const QByteArray& line : list.readAllStandardOutput().split('\n'))
        if (line.contains("-lh5-") && line.trimmed().endsWith("input"))
            return line.simplified().split(' ')[1].toLongLong();
    return -1;
}

template <typename F> double Seconds(F&& work, int repeats) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i)
        work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
           repeats;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString source = QStringLiteral(VARNEL_SOURCE_DIR);
    const QList<Input> inputs = {
        {"stock EPA 17x6", ImageBuilder::Epa(17, 6)},
        {"sample.epa 17x9", FileBytes(source + "/fuzz/corpus/epa/sample.epa", 1 << 20)},
        {"AWBM 136x84", ImageBuilder::Awbm(136, 84)},
        {"rose-256.awbm", FileBytes(source + "/fuzz/corpus/awbm/rose-256.awbm", 1 << 20)},
        {"system BIOS", ImageBuilder::SystemBios(60 << 10)},
        {"C++ source", FileBytes(source + "/tools/epatool.cpp", 1 << 20)},
        {"help text", FileBytes(source + "/resources/help.txt", 1 << 20)},
        {"program code", FileBytes(QCoreApplication::applicationFilePath(), 256 << 10)},
        {"backdrop bitmap", FileBytes(source + "/resources/background.bmp", 1 << 20)},
        {"EPA logo template", FileBytes(source + "/resources/templates/zemepa.bmp", 1 << 20)},
        {"4-bit noise", Noise(64 << 10)},
        {"zeros", QByteArray(128 << 10, '\0')},
    };
    std::printf("%-18s %9s %9s %9s %7s %9s %9s\n", "input", "bytes", "ours", "jlha", "ratio",
                "pack MB/s", "unpack");
    for (const Input& input : inputs) {
        if (input.bytes.isEmpty())
            continue;
        QByteArray packed;
        const int repeats = input.bytes.size() > (256 << 10) ? 2 : 5;
        const double pack = Seconds([&] { packed = Lh5Encode(input.bytes); }, repeats);
        QByteArray unpacked;
        const double unpack =
            Seconds([&] { unpacked = Lh5Decode(packed, input.bytes.size()); }, repeats * 4);
        if (unpacked != input.bytes) {
            std::printf("%s: the round trip FAILED\n", input.name);
            return 1;
        }
        const qint64 reference = ReferenceSize(input.bytes);
        const double mb = double(input.bytes.size()) / 1e6;
        std::printf("%-18s %9lld %9lld %9lld %6.1f%% %9.1f %9.1f\n", input.name,
                    static_cast<long long>(input.bytes.size()),
                    static_cast<long long>(packed.size()), static_cast<long long>(reference),
                    reference > 0 ? 100.0 * double(packed.size()) / double(reference) : 0.0,
                    mb / pack, mb / unpack);
    }
    return 0;
}
