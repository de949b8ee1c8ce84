#include "tools/epatool/CommandRun.h"

#include "runtime/Exception.h"
#include "runtime/LocalFiles.h"
#include "tools/epatool/UsageError.h"

#include <cstdio>

namespace {

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

} // namespace

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

int RunTool(int argc, char** argv, int (*run)(const QStringList& args)) {
    try {
        // Taken from the bytes themselves: an argument the locale cannot read would otherwise
        // name another file.
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args.append(LocalFiles::DecodedName(argv[i]));
        return run(args);
    } catch (const Exception& e) {
        std::fprintf(stderr, "epatool: %s\n", qPrintable(e.Message()));
        return ExitBadInput;
    }
}
