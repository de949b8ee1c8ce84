// epatool as a user starts it: on Qt Core alone. `info` only reads a logo and reports, and runs
// here, without the Qt Gui libraries' loading and memory; every other command, and the tool's own
// help and version, is epatool-full's, which this starts in its place with the same arguments.
#include "tools/epatool/Command.h"
#include "tools/epatool/CommandRun.h"
#include "tools/epatool/QtApplication.h"
#include "tools/epatool/UsageError.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// The folder this program was started from, with its closing slash.
std::string OwnFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return {};
    const std::string self(path, std::size_t(length));
    return self.substr(0, self.rfind('/') + 1);
}

// Beside this program in a build, under the library folder in an installation. Returns only
// when neither starts.
int StartFullTool(char** argv) {
    const std::string folder = OwnFolder();
    const std::string places[] = {folder + VARNEL_FULL_TOOL,
                                  folder + VARNEL_INSTALLED_FULL_TOOL_DIR "/" VARNEL_FULL_TOOL};
    int error = ENOENT;
    for (const std::string& place : places) {
        execv(place.c_str(), argv);
        if (errno != ENOENT)
            error = errno;
    }
    std::fprintf(stderr, "epatool: cannot start %s%s: %s; reinstall Varnel.\n", folder.c_str(),
                 VARNEL_INSTALLED_FULL_TOOL_DIR "/" VARNEL_FULL_TOOL, std::strerror(error));
    return ExitBadInput;
}

int RunInfo(const QStringList& args) {
    return RunCommand(InfoCommand, args.mid(1));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], InfoCommand.name) != 0)
        return StartFullTool(argv);
    const TQtApplication application(argc, argv);
    return RunTool(argc, argv, RunInfo);
}
