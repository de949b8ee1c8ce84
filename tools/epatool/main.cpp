// epatool: the editor's conversion and save for scripted BIOS builds, and a way to look at a
// finished logo without a BIOS. This file finds the command; each command is a file of its own.
#include "gif/GIFImage.h"
#include "pictures/Icon.h"
#include "pictures/Metafile.h"
#include "runtime/Exception.h"
#include "runtime/LocalFiles.h"
#include "tools/epatool/Command.h"
#include "tools/epatool/QtApplication.h"
#include "tools/epatool/UsageError.h"

#include <cstdio>

namespace {

QString ToolUsage() {
    QString usage = QStringLiteral("usage: epatool COMMAND [ARGUMENTS]\n"
                                   "       epatool COMMAND --help\n"
                                   "       epatool --help | --version\n"
                                   "Logos for Award BIOS 4.5x: EPA (17 x 9 text cells) and AWBM "
                                   "(full screen).\n");
    for (const TCommand* command : Commands())
        usage += QStringLiteral("  epatool %1 %2\n")
                     .arg(QString::fromLatin1(command->name), -7)
                     .arg(QString::fromLatin1(command->summary));
    return usage + QStringLiteral("\"-\" names standard input or output. Outputs are never "
                                  "overwritten.\nExit status: 0 done, 1 bad input, 2 bad usage.\n");
}

const TCommand* Find(const QString& name) {
    for (const TCommand* command : Commands())
        if (name == QLatin1String(command->name))
            return command;
    return nullptr;
}

// Asked for before "--" only: after it, "--help" names a file.
bool AsksForHelp(const QStringList& args) {
    for (const QString& arg : args) {
        if (arg == "--")
            return false;
        if (arg == "-h" || arg == "--help")
            return true;
    }
    return false;
}

int RunCommand(const TCommand& command, const QStringList& args) {
    if (AsksForHelp(args)) {
        std::fputs(command.usage, stdout);
        return 0;
    }
    try {
        return command.run(args);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "epatool %s: %s\n%s", command.name, qPrintable(e.message),
                     command.usage);
        return ExitUsage;
    }
}

int Run(const QStringList& args) {
    const QString first = args.value(0);
    if (first == "-h" || first == "--help") {
        std::fputs(qPrintable(ToolUsage()), stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("epatool %s\n", VARNEL_VERSION);
        return 0;
    }
    if (const TCommand* command = Find(first))
        return RunCommand(*command, args.mid(1));
    const QString message = first.isEmpty() ? QStringLiteral("no command given")
                                            : QStringLiteral("unknown command: %1").arg(first);
    std::fprintf(stderr, "epatool: %s\n%s", qPrintable(message), qPrintable(ToolUsage()));
    return ExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    const TQtApplication application(argc, argv);
    RegisterGIFImage();
    RegisterIcon();
    RegisterMetafile();
    try {
        // Taken from the bytes themselves: an argument the locale cannot read would otherwise
        // name another file.
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args.append(LocalFiles::DecodedName(argv[i]));
        return Run(args);
    } catch (const Exception& e) {
        std::fprintf(stderr, "epatool: %s\n", qPrintable(e.Message()));
        return ExitBadInput;
    }
}
