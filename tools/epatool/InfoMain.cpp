// epatool-info: epatool's info on Qt Core alone. It only reads a logo and reports, and so starts
// without the Qt Gui libraries' loading and memory that epatool-full takes.
#include "tools/epatool/Command.h"
#include "tools/epatool/CommandRun.h"
#include "tools/epatool/QtApplication.h"

namespace {

int RunInfo(const QStringList& args) {
    return RunCommand(InfoCommand, args.mid(1));
}

} // namespace

int main(int argc, char** argv) {
    const TQtApplication application(argc, argv);
    return RunTool(argc, argv, RunInfo);
}
