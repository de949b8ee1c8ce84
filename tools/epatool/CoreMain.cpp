// epatool-core: epatool's info and decode on Qt Core alone. They only read a logo and report on
// it or draw it, and so start without the Qt Gui libraries' loading and memory that epatool-full
// takes.
#include "tools/epatool/Command.h"
#include "tools/epatool/CommandRun.h"
#include "tools/epatool/QtApplication.h"

namespace {

// The launcher sends only these two here.
int Run(const QStringList& args) {
    return RunCommand(args.value(0) == "decode" ? DecodeCommand : InfoCommand, args.mid(1));
}

} // namespace

int main(int argc, char** argv) {
    const TQtApplication application(argc, argv);
    return RunTool(argc, argv, Run);
}
