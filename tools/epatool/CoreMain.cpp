// epatool-core: epatool's info and decode, and full-screen logos made from a PNG, on Qt Core
// alone. They start without the Qt Gui libraries' loading and memory that epatool-full takes.
#include "tools/epatool/Command.h"
#include "tools/epatool/CommandRun.h"
#include "tools/epatool/CoreEncode.h"
#include "tools/epatool/PrepareMemory.h"
#include "tools/epatool/QtApplication.h"
#include "tools/epatool/StartTool.h"

namespace {

// The program's own arguments, to hand on unchanged to epatool-full.
char** programArguments = nullptr;

// The launcher sends only these three here.
int Run(const QStringList& args) {
    if (args.value(0) == "encode") {
        if (const std::optional<int> status = EncodeOnCore(args.mid(1)))
            return *status;
        return StartTool::Start(VARNEL_FULL_TOOL, nullptr, programArguments);
    }
    return RunCommand(args.value(0) == "decode" ? DecodeCommand : InfoCommand, args.mid(1));
}

} // namespace

int main(int argc, char** argv) {
    PrepareMemory();
    const TQtApplication application(argc, argv);
    programArguments = argv;
    return RunTool(argc, argv, Run);
}
