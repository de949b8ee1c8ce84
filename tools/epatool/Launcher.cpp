// epatool as a user starts it: it only starts, in its own place and with the same arguments,
// epatool-core or epatool-full. Linked statically, it loads no library at all and costs a command
// a millisecond or so. epatool-core, on Qt Core alone, takes info and decode, which only read a
// logo and report on it or draw it, and full-screen logos made from a PNG, which it hands on to
// epatool-full itself whenever the picture or the options ask for more; everything else goes
// to epatool-full, so that no command loads Qt twice.
#include "tools/epatool/StartTool.h"

#include <cstring>

namespace {

bool Is(const char* arg, const char* name) {
    return std::strcmp(arg, name) == 0;
}

// An encode asking for a full-screen logo, before any "--" (after it every argument is a name).
bool EncodesAwbm(int argc, char** argv) {
    for (int i = 2; i < argc && !Is(argv[i], "--"); ++i)
        if (Is(argv[i], "--format=awbm") ||
            (Is(argv[i], "--format") && i + 1 < argc && Is(argv[i + 1], "awbm")))
            return true;
    return false;
}

bool ForCore(int argc, char** argv) {
    if (argc < 2)
        return false;
    return Is(argv[1], "info") || Is(argv[1], "decode") ||
           (Is(argv[1], "encode") && EncodesAwbm(argc, argv));
}

} // namespace

// Beside this program in a build, under the library folder in an installation.
int main(int argc, char** argv) {
    return StartTool::Start(ForCore(argc, argv) ? VARNEL_CORE_TOOL : VARNEL_FULL_TOOL,
                            VARNEL_INSTALLED_TOOL_DIR, argv);
}
