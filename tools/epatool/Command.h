#ifndef VARNEL_TOOLS_EPATOOL_COMMAND_H
#define VARNEL_TOOLS_EPATOOL_COMMAND_H

#include <QStringList>
#include <vector>

// One epatool command: its name, its line in the tool's help, its own help, and what it does
// with the arguments that follow its name. A new command is a file of its own defining one of
// these, and one line in Commands.cpp.
struct TCommand {
    const char* name;
    const char* summary;
    const char* usage;
    int (*run)(const QStringList& args);
};

extern const TCommand EncodeCommand;
extern const TCommand DecodeCommand;
extern const TCommand InfoCommand;
extern const TCommand BiosCommand;

// Every command, in the order the tool's help lists them.
const std::vector<const TCommand*>& Commands();

#endif
