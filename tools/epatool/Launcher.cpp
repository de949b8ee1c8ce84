// epatool as a user starts it: it only starts, in its own place and with the same arguments,
// epatool-core for info and decode or epatool-full for everything else. Linked statically, it
// loads no library at all and costs a command a millisecond or so; a command that only reads a
// logo and reports on it or draws it then never loads Qt Gui, and the others never load Qt twice.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// The folder this program was started from, with its closing slash. Never the current folder:
// false when the system does not say.
bool OwnFolder(char (&folder)[PATH_MAX]) {
    const ssize_t length = readlink("/proc/self/exe", folder, sizeof folder - 1);
    folder[length > 0 ? length : 0] = '\0';
    char* slash = std::strrchr(folder, '/');
    if (!slash)
        return false;
    slash[1] = '\0';
    return true;
}

} // namespace

// Beside this program in a build, under the library folder in an installation.
int main(int argc, char** argv) {
    const bool core =
        argc > 1 && (std::strcmp(argv[1], "info") == 0 || std::strcmp(argv[1], "decode") == 0);
    const char* tool = core ? VARNEL_CORE_TOOL : VARNEL_FULL_TOOL;
    char folder[PATH_MAX];
    if (!OwnFolder(folder)) {
        std::fprintf(stderr, "epatool: cannot find the folder it was started from: %s\n",
                     std::strerror(errno));
        return 1;
    }
    int error = ENOENT;
    const char* const places[] = {"", VARNEL_INSTALLED_TOOL_DIR "/"};
    for (const char* place : places) {
        char path[2 * PATH_MAX];
        std::snprintf(path, sizeof path, "%s%s%s", folder, place, tool);
        execv(path, argv);
        if (errno != ENOENT)
            error = errno;
    }
    std::fprintf(stderr, "epatool: cannot start %s%s/%s: %s; reinstall Varnel.\n", folder,
                 VARNEL_INSTALLED_TOOL_DIR, tool, std::strerror(error));
    return 1;
}
