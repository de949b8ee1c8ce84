// epatool: the editor's conversion and save for scripted BIOS builds, and a way to look at a
// finished logo without a BIOS. This file finds the command; each command is a file of its own.
// Built as epatool-full, which the program named epatool starts for every command but info,
// decode and full-screen logos from a PNG, and epatool-core for those it does not take whole.
#include "gif/GIFImage.h"
#include "pictures/Icon.h"
#include "pictures/Metafile.h"
#include "tools/epatool/Command.h"
#include "tools/epatool/CommandRun.h"
#include "tools/epatool/GuiApplication.h"
#include "tools/epatool/PrepareMemory.h"
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
    PrepareMemory();
    const TQtApplication application(argc, argv, StartGuiApplication);
    RegisterGIFImage();
    RegisterIcon();
    RegisterMetafile();
    return RunTool(argc, argv, Run);
}
