// What hostile files cost the readers: makes a set of files that are cut short, claim far more
// than they hold, are not files at all, or ask for endless work, runs epatool on each in a child
// process, and prints each case's time and peak memory, then the worst of each reader beside
// the bound it must keep (64 MB plus twice the file, over what epatool takes for a tiny picture).
//   bench_hostile [--epatool PATH] [--keep DIR] [--timeout SECONDS]
// --epatool runs another build's epatool (an older one, to compare); --keep leaves the files in
// DIR; a case still running after the timeout (default 20 s) is stopped and counted as that.
#include "tests/ZeroPng.h"
#include "tests/pictures/MetafileBuilder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <csignal>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr qint64 MB = qint64(1) << 20;

struct Case {
    QString reader; // the kind of file, as the report groups them
    QString name;   // the file's name in the folder
    QByteArray bytes;
    QString command = QStringLiteral("encode"); // or "info"
    bool pipe = false;                          // a named pipe no one writes to, not a file
    qint64 size = 0;                            // the bytes', once they are written and let go
};

struct Outcome {
    double seconds = 0;
    qint64 peak = 0; // resident bytes at most
    int status = -1; // exit status, or -1 when stopped
};

QByteArray Encoded(const QImage& image, const char* format, int quality = -1) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return buffer.data();
}

QImage Noise(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    return image;
}

// The logo drawing as the editor saves it: 136 × 126 pixels, one bit each, 2,582 bytes.
QByteArray LogoBmp() {
    QFile file(QStringLiteral(VARNEL_SOURCE_DIR "/tests/data/pictures/logo.bmp"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Ten cuts of `whole`, evenly from `first` bytes to one byte short of the end.
void AddCuts(QList<Case>& cases, const QString& reader, const QString& suffix,
             const QByteArray& whole, qint64 first) {
    for (int i = 0; i < 10; ++i) {
        const qint64 length = first + (whole.size() - 1 - first) * i / 9;
        cases.append(
            {reader, QStringLiteral("cut-%1.%2").arg(length).arg(suffix), whole.left(length)});
    }
}

void PutU32(QByteArray& bytes, qint64 at, quint32 value) {
    qToLittleEndian<quint32>(value, bytes.data() + at);
}

void AddBitmaps(QList<Case>& cases) {
    const QByteArray logo = LogoBmp();
    AddCuts(cases, "BMP", "bmp", logo, 173);
    QByteArray claims = Encoded(Noise(16, 16), "bmp").left(1054);
    PutU32(claims, 18, 5000);
    PutU32(claims, 22, 6000);
    cases.append({"BMP", "claims-5000x6000.bmp", claims});
    QByteArray offset = logo;
    PutU32(offset, 10, quint32(logo.size() + 4096));
    cases.append({"BMP", "offset-past-end.bmp", offset});
    cases.append({"BMP", "named-pipe.bmp", {}, "encode", true});
}

void AddCompressed(QList<Case>& cases) {
    AddCuts(cases, "JPEG", "jpg", Encoded(Noise(800, 600), "jpeg", 90), 700);
    AddCuts(cases, "PNG", "png", Encoded(Noise(400, 300), "png"), 100);
    cases.append({"PNG", "5000x6000-16-bit.png", ZeroPng(5000, 6000, 16)});
}

QByteArray GifOfOneFrame(int width, int height) {
    QByteArray gif("GIF89a");
    const auto size = [&] {
        for (const int value : {width, height})
            gif.append(char(value & 0xFF)).append(char(value >> 8));
    };
    size();
    gif.append(char(0x80)).append(2, '\0').append(QByteArray(6, '\0'));
    gif.append(QByteArray(",\0\0\0\0", 5));
    size();
    gif.append('\0').append(QByteArray("\x02\x01\x2c\x00", 4));
    return gif + ';';
}

void AddGifs(QList<Case>& cases) {
    const QByteArray small = GifOfOneFrame(136, 126);
    cases.append({"GIF", "header-cut.gif", small.left(10)});
    cases.append({"GIF", "16384x16384.gif", GifOfOneFrame(16384, 16384)});
}

// An enhanced metafile of `count` records of a 512 × 512 32-bit PNG each, stretched over the
// picture.
QByteArray EmfOfPictures(int count) {
    QImage flat(512, 512, QImage::Format_ARGB32);
    flat.fill(qRgba(200, 30, 30, 128));
    const QByteArray png = Encoded(flat, "png");
    QByteArray info(40, '\0');
    PutU32(info, 0, 40);
    PutU32(info, 4, 512);
    PutU32(info, 8, 512);
    qToLittleEndian<quint16>(1, info.data() + 12);
    PutU32(info, 16, 5); // the rows are a PNG file
    PutU32(info, 20, quint32(png.size()));
    TEmfBuilder emf(QSize(136, 126));
    for (int i = 0; i < count; ++i)
        emf.Record(81,
                   {0, 0, 135, 125, 0, 0, 0, 0, 512, 512, 80, 40, 120, png.size(), 0, 0x00CC0020,
                    136, 126},
                   info + png);
    return emf.Bytes();
}

QByteArray EmfOfText(int count) {
    TEmfBuilder emf(QSize(136, 126));
    const QByteArray text("H\0i\0", 4);
    for (int i = 0; i < count; ++i)
        emf.Record(84, {0, 0, 0, 0, 1, 0, 0, i % 136, i % 126, 2, 76, 0, 0, 0, 0, 0, 0}, text);
    return emf.Bytes();
}

QByteArray WmfOfText(int count) {
    TWmfBuilder wmf(QRect(0, 0, 136, 126));
    for (int i = 0; i < count; ++i)
        wmf.Record(0x0521, {2, 'H' | ('i' << 8), i % 126, i % 136});
    return wmf.Bytes();
}

void AddMetafiles(QList<Case>& cases) {
    cases.append({"EMF", "28000-pictures.emf", EmfOfPictures(28000)});
    cases.append({"EMF", "800000-texts.emf", EmfOfText(800000)});
    cases.append({"WMF", "4000000-texts.wmf", WmfOfText(4000000)});
}

void AddLogos(QList<Case>& cases) {
    cases.append({"EPA", "named-pipe.epa", {}, "info", true});
    QByteArray awbm("AWBM");
    awbm.append(QByteArray("\x00\x04\x00\x03", 4)).append(QByteArray(1000, '\x01'));
    cases.append({"AWBM", "claims-1024x768.awbm", awbm, "info"});
}

QList<Case> HostileCases() {
    QList<Case> cases;
    AddBitmaps(cases);
    AddCompressed(cases);
    AddGifs(cases);
    AddMetafiles(cases);
    AddLogos(cases);
    return cases;
}

void Write(const QDir& folder, const Case& c) {
    const QByteArray path = QFile::encodeName(folder.filePath(c.name));
    if (c.pipe) {
        ::mkfifo(path.constData(), 0600);
        return;
    }
    QFile file(folder.filePath(c.name));
    if (!file.open(QIODevice::WriteOnly) || file.write(c.bytes) != c.bytes.size())
        std::fprintf(stderr, "bench_hostile: cannot write %s\n", path.constData());
}

// Runs epatool with `args` in a child of its own, stopped after `timeout` seconds; the time and
// the child's peak resident memory.
Outcome Run(const QString& epatool, const QStringList& args, double timeout) {
    QList<QByteArray> storage{QFile::encodeName(epatool)};
    for (const QString& arg : args)
        storage.append(QFile::encodeName(arg));
    std::vector<char*> argv;
    for (QByteArray& arg : storage)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    QElapsedTimer clock;
    clock.start();
    std::fflush(stdout); // or the child writes out what is still buffered here
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stderr);
        std::freopen("/dev/null", "w", stdout);
        execv(argv[0], argv.data());
        _exit(127);
    }
    Outcome outcome;
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        if (clock.elapsed() > timeout * 1000) {
            kill(child, SIGKILL);
            wait4(child, &status, 0, &usage);
            outcome.seconds = clock.elapsed() / 1000.0;
            outcome.peak = qint64(usage.ru_maxrss) * 1024;
            return outcome;
        }
        usleep(2000);
    }
    outcome.seconds = clock.elapsed() / 1000.0;
    outcome.peak = qint64(usage.ru_maxrss) * 1024;
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

Outcome RunCase(const QString& epatool, const QDir& folder, const Case& c, double timeout) {
    QStringList args{c.command, folder.filePath(c.name)};
    if (c.command == "encode")
        args.append(folder.filePath(c.name + ".epa"));
    return Run(epatool, args, timeout);
}

// What epatool takes to encode a tiny picture: the floor every case stands on.
qint64 Baseline(const QString& epatool, const QDir& folder) {
    const Case tiny{"BMP", "tiny.bmp", LogoBmp()};
    Write(folder, tiny);
    return RunCase(epatool, folder, tiny, 20).peak;
}

struct Worst {
    double seconds = 0;
    qint64 over = std::numeric_limits<qint64>::min(); // peak beyond the bound, at most
    qint64 peak = 0;
    int stopped = 0;
    int accepted = 0;
};

void Report(const std::map<QString, Worst>& worst) {
    std::printf("\n%-6s %10s %12s %16s %8s %9s\n", "reader", "worst s", "worst peak MB",
                "peak - bound MB", "stopped", "exit 0");
    for (const auto& [reader, w] : worst)
        std::printf("%-6s %10.2f %12.1f %16.1f %8d %9d\n", qPrintable(reader), w.seconds,
                    double(w.peak) / MB, double(w.over) / MB, w.stopped, w.accepted);
}

struct Options {
    QString epatool = QStringLiteral(EPATOOL);
    QString keep;
    double timeout = 20;
};

Options ParseOptions(const QStringList& args) {
    Options options;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--epatool")
            options.epatool = args[i + 1];
        else if (args[i] == "--keep")
            options.keep = args[i + 1];
        else if (args[i] == "--timeout")
            options.timeout = args[i + 1].toDouble();
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options = ParseOptions(app.arguments());
    QTemporaryDir temporary;
    if (!options.keep.isEmpty())
        QDir().mkpath(options.keep);
    const QDir folder(options.keep.isEmpty() ? temporary.path() : options.keep);
    const qint64 baseline = Baseline(options.epatool, folder);
    std::printf("epatool %s, %.1f MB for a tiny picture\n", qPrintable(options.epatool),
                double(baseline) / MB);
    std::printf("%-6s %-26s %10s %8s %10s %6s\n", "reader", "file", "bytes", "s", "peak MB",
                "exit");
    // Written first and let go: a child begins with what this process holds when it forks,
    // which would otherwise count as the child's own peak.
    QList<Case> cases = HostileCases();
    for (Case& c : cases) {
        Write(folder, c);
        c.size = c.bytes.size();
        c.bytes = QByteArray();
    }
    malloc_trim(0);
    std::map<QString, Worst> worst;
    for (const Case& c : cases) {
        const Outcome o = RunCase(options.epatool, folder, c, options.timeout);
        const qint64 bound = baseline + 64 * MB + 2 * c.size;
        Worst& w = worst[c.reader];
        w.seconds = std::max(w.seconds, o.seconds);
        w.peak = std::max(w.peak, o.peak);
        w.over = std::max(w.over, o.peak - bound);
        w.stopped += o.status < 0;
        w.accepted += o.status == 0;
        std::printf("%-6s %-26s %10lld %8.2f %10.1f %6s\n", qPrintable(c.reader),
                    qPrintable(c.name), static_cast<long long>(c.size), o.seconds,
                    double(o.peak) / MB,
                    o.status < 0 ? "stop" : qPrintable(QString::number(o.status)));
        std::fflush(stdout);
        QFile::remove(folder.filePath(c.name + ".epa"));
    }
    Report(worst);
    return 0;
}
