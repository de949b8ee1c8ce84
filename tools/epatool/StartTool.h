#ifndef VARNEL_TOOLS_EPATOOL_STARTTOOL_H
#define VARNEL_TOOLS_EPATOOL_STARTTOOL_H

// Starting one of epatool's programs in this process's place, with the same arguments. On the C
// library alone: the launcher that includes this is linked statically and loads no library.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <unistd.h>

namespace StartTool {

// The folder this program was started from, with its closing slash. Never the current folder:
// false when the system does not say.
inline bool OwnFolder(char (&folder)[PATH_MAX]) {
    const ssize_t length = readlink("/proc/self/exe", folder, sizeof folder - 1);
    folder[length > 0 ? length : 0] = '\0';
    char* slash = std::strrchr(folder, '/');
    if (!slash)
        return false;
    slash[1] = '\0';
    return true;
}

// Starts `tool` beside this program (in a build, or among the installed programs), or else, when
// `installedDir` is given, in that folder below this program's own (the launcher's place in an
// installation). Returns only when it cannot, with the reason told on stderr, as exit status 1.
inline int Start(const char* tool, const char* installedDir, char** argv) {
    char folder[PATH_MAX];
    if (!OwnFolder(folder)) {
        std::fprintf(stderr, "epatool: cannot find the folder it was started from: %s\n",
                     std::strerror(errno));
        return 1;
    }
    int error = ENOENT;
    char path[2 * PATH_MAX];
    for (const char* place : {"", installedDir}) {
        if (!place)
            break;
        std::snprintf(path, sizeof path, "%s%s%s%s", folder, place, *place ? "/" : "", tool);
        execv(path, argv);
        if (errno != ENOENT)
            error = errno;
    }
    std::fprintf(stderr, "epatool: cannot start %s: %s; reinstall Varnel.\n", path,
                 std::strerror(error));
    return 1;
}

} // namespace StartTool

#endif
