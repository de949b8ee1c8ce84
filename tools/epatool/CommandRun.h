#ifndef VARNEL_TOOLS_EPATOOL_COMMANDRUN_H
#define VARNEL_TOOLS_EPATOOL_COMMANDRUN_H

#include "tools/epatool/Command.h"

#include <QStringList>

// Runs one command on the arguments after its name: its own help for -h or --help, and for a
// usage error the message and the command's usage on stderr and exit status 2.
int RunCommand(const TCommand& command, const QStringList& args);

// Runs `run` on the program's arguments, each decoded from its bytes; an error on the way
// becomes its message on stderr and exit status 1.
int RunTool(int argc, char** argv, int (*run)(const QStringList& args));

#endif
