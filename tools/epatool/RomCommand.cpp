#include "tools/epatool/RomCommand.h"

#include "logo/AwbmLogo.h"
#include "logo/EpaLogo.h"
#include "rom/AwardImage.h"
#include "rom/LogoReplacement.h"
#include "rom/LzhError.h"
#include "rom/ModuleType.h"
#include "rom/RomLogo.h"
#include "runtime/Exception.h"
#include "runtime/LocalFiles.h"
#include "runtime/StreamBytes.h"
#include "tools/epatool/Command.h"
#include "tools/epatool/LogoPicture.h"
#include "tools/epatool/QtApplication.h"
#include "tools/epatool/UsageError.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <cstdio>

const char* const RomCommand::Usage =
    "  epatool rom list IMAGE\n"
    "      every module of an Award BIOS image (offset, name, type, sizes, method, CRC), the\n"
    "      logo's kind and size, the free space and the image's checksum rule; status 1 when a\n"
    "      module is damaged\n"
    "  epatool rom extract IMAGE OUTPUT.epa|OUTPUT.awbm|OUTPUT.png|OUTPUT.bmp\n"
    "      the logo module as a logo file, or drawn as the BIOS shows it\n"
    "  epatool rom extract IMAGE --all DIR\n"
    "      every module unpacked into DIR under its stored name\n"
    "  epatool rom replace IMAGE LOGO OUTPUT [--kind-change] [--blank-emblem]\n"
    "      a new image with LOGO in the logo module, proved by reading it back before it is\n"
    "      given its name; the stock logo's 70 trailing bytes (its emblem) are kept unless\n"
    "      --blank-emblem; --kind-change writes an EPA logo where an AWBM one was, or the reverse\n"
    "  epatool decode INPUT OUTPUT --emblem\n"
    "      an EPA logo with its 70 trailing bytes drawn under it as five characters\n";

namespace {

int RefuseUsage(const QString& message) {
    std::fprintf(stderr, "epatool: %s\n%s", qPrintable(message), RomCommand::Usage);
    return ExitUsage;
}

QString Hex(qint64 value, int digits) {
    return "0x" + QString::number(value, 16).toUpper().rightJustified(digits, '0');
}

// Prints one line a module; returns whether its data unpacked with a good CRC.
bool PrintModule(const TRomModule& module, QByteArray& data) {
    QString check = QStringLiteral("good");
    try {
        data = module.member.Unpack();
    } catch (const ELzhError& e) {
        check = "BAD: " + e.Message();
    }
    std::printf("  %-8s %-14s %-22s %7u %8u  %-6s %s\n", qPrintable(Hex(module.offset, 5)),
                qPrintable(QString::fromLatin1(module.member.Name())),
                qPrintable(ModuleType::Describe(module.member.Type())),
                unsigned(module.member.Packed().size()), module.member.UnpackedSize(),
                module.member.MethodName().constData(), qPrintable(check));
    return check == "good";
}

int List(const QString& name) {
    const TAwardImage image = TAwardImage::Read(name);
    std::printf("%s: Award BIOS image, %lld KiB, %zu modules\n", qPrintable(name),
                static_cast<long long>(image.Bytes().size() / 1024), image.Modules().size());
    std::printf("  %-8s %-14s %-22s %7s %8s  %-6s %s\n", "offset", "name", "type", "packed",
                "unpacked", "method", "CRC");
    int damaged = 0;
    QByteArray logo;
    for (int i = 0; i < int(image.Modules().size()); ++i) {
        QByteArray data;
        damaged += !PrintModule(image.Modules()[std::size_t(i)], data);
        if (i == image.LogoIndex())
            logo = data;
    }
    if (image.LogoIndex() >= 0)
        std::printf("logo: %s\n", qPrintable(TRomLogo::Identify(logo).Describe()));
    else
        std::printf("logo: none (no module of type 0x4002)\n");
    for (int i = 0; i < int(image.Modules().size()); ++i)
        if (i == 0 ||
            image.Modules()[std::size_t(i)].region != image.Modules()[std::size_t(i) - 1].region)
            std::printf("free space: %lld bytes after the chain at %s\n",
                        static_cast<long long>(image.FreeSpaceAfter(i)),
                        qPrintable(Hex(image.Modules()[std::size_t(i)].offset, 5)));
    std::printf("image checksum: %s\n", qPrintable(image.ChecksumRule()));
    if (damaged > 0)
        std::fprintf(stderr, "epatool: \"%s\": %d %s damaged\n", qPrintable(name), damaged,
                     damaged == 1 ? "module is" : "modules are");
    return damaged > 0 ? ExitBadInput : 0;
}

int LogoIndex(const TAwardImage& image, const QString& name) {
    if (image.LogoIndex() < 0)
        throw Exception(QStringLiteral("\"%1\" holds no logo module (type 0x4002).").arg(name));
    return image.LogoIndex();
}

void ExtractLogo(const QString& name, const QString& output) {
    LogoReplacement::RefuseExisting(output);
    const TAwardImage image = TAwardImage::Read(name);
    const QByteArray logo = LogoReplacement::UnpackedModule(image, LogoIndex(image, name));
    const QString suffix = QFileInfo(output).suffix().toLower();
    const TRomLogo kind = TRomLogo::Identify(logo);
    const QString what = QStringLiteral("the logo module of \"%1\"").arg(name);
    if (suffix == "png" || suffix == "bmp") {
        LogoPicture::Write(LogoPicture::Shown(ParseLogo(logo, what)), output);
    } else if ((suffix == "epa" && kind.Kind() == TRomLogo::TKind::Epa) ||
               (suffix == "awbm" && kind.Kind() == TRomLogo::TKind::Awbm)) {
        LocalFiles::WriteNewFile(output, logo);
    } else {
        throw Exception(QStringLiteral("%1 holds an %2, not what \"%3\" asks for.")
                            .arg(what, kind.Describe(), output));
    }
    std::printf("%s -> %s (%s)\n", qPrintable(name), qPrintable(output),
                qPrintable(kind.Describe()));
}

// A stored name as a plain file name: no folders, nothing hidden, nothing the shell minds.
QString SafeName(const QByteArray& stored, QSet<QString>& taken) {
    QString name;
    for (const char c : stored)
        name += (QChar::isLetterOrNumber(uchar(c)) && uchar(c) < 0x80) || c == '.' || c == '-' ||
                        c == '_'
                    ? QChar(c)
                    : QChar('_');
    while (name.startsWith('.'))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QStringLiteral("module");
    QString unique = name;
    for (int n = 2; taken.contains(unique.toLower()); ++n)
        unique = QStringLiteral("%1-%2").arg(name).arg(n);
    taken.insert(unique.toLower());
    return unique;
}

int ExtractAll(const QString& name, const QString& folder) {
    const TAwardImage image = TAwardImage::Read(name);
    if (!QFileInfo(folder).isDir())
        throw Exception(QStringLiteral("\"%1\" is not a folder.").arg(folder));
    QSet<QString> taken;
    int failures = 0;
    for (int i = 0; i < int(image.Modules().size()); ++i) {
        const TRomModule& module = image.Modules()[std::size_t(i)];
        const QString output = QDir(folder).filePath(SafeName(module.member.Name(), taken));
        try {
            LogoReplacement::RefuseExisting(output);
            LocalFiles::WriteNewFile(output, LogoReplacement::UnpackedModule(image, i));
            std::printf("%s -> %s\n", module.member.Name().constData(), qPrintable(output));
        } catch (const Exception& e) {
            std::fprintf(stderr, "epatool: %s\n", qPrintable(e.Message()));
            ++failures;
        }
    }
    return failures > 0 ? ExitBadInput : 0;
}

QByteArray ReadLogoFile(const QString& name) {
    const std::optional<QByteArray> bytes =
        ReadFileAtMost(name, std::max(TEpaLogo::LargestFile, TAwbmLogo::LargestFile));
    if (!bytes)
        throw Exception(
            QStringLiteral("\"%1\" is neither an EPA nor an AWBM logo: it is too long.").arg(name));
    return *bytes;
}

void Replace(const QString& name, const QString& logoName, const QString& output,
             const TReplaceOptions& options) {
    const TAwardImage image = TAwardImage::Read(name);
    const TWrittenImage written =
        LogoReplacement::WriteCopy(image, ReadLogoFile(logoName), logoName, output, options);
    for (const QString& warning : written.warnings)
        std::fprintf(stderr, "epatool: warning: %s\n", qPrintable(warning));
    std::printf("%s: the logo module \"%s\" now holds %s (%u bytes, %lld packed); %lld bytes "
                "free; image checksum rewritten; every module read back and checked\n",
                qPrintable(output), written.moduleName.constData(),
                qPrintable(written.logo.Describe()), written.unpacked,
                static_cast<long long>(written.packed), static_cast<long long>(written.freeBytes));
}

int RunReplace(const QStringList& args) {
    TReplaceOptions options;
    QStringList files;
    for (const QString& arg : args.mid(1)) {
        if (arg == "--kind-change")
            options.kindChange = true;
        else if (arg == "--blank-emblem")
            options.blankEmblem = true;
        else if (arg.startsWith("--"))
            return RefuseUsage(QStringLiteral("unknown option for rom replace: %1").arg(arg));
        else
            files << arg;
    }
    if (files.size() != 3)
        return RefuseUsage(QStringLiteral("rom replace takes IMAGE LOGO OUTPUT"));
    Replace(files[0], files[1], files[2], options);
    return 0;
}

} // namespace

int RomCommand::Run(const QStringList& args) {
    const QString command = args.value(0);
    if (command == "list" && args.size() == 2)
        return List(args[1]);
    if (command == "extract" && args.size() == 4 && args[2] == "--all")
        return ExtractAll(args[1], args[3]);
    if (command == "extract" && args.size() == 3) {
        ExtractLogo(args[1], args[2]);
        return 0;
    }
    if (command == "replace")
        return RunReplace(args);
    return RefuseUsage(
        QStringLiteral("unknown rom command or wrong arguments: rom %1").arg(args.join(' ')));
}

namespace {

int RunRom(const QStringList& args) {
    TQtApplication::Start(TQtNeeds::Core);
    return RomCommand::Run(args);
}

} // namespace

const TCommand BiosCommand = {"rom", "list, extract and replace the logo of an Award BIOS image",
                              RomCommand::Usage, RunRom};
