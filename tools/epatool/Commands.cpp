#include "tools/epatool/Command.h"

const std::vector<const TCommand*>& Commands() {
    static const std::vector<const TCommand*> commands = {&EncodeCommand, &DecodeCommand,
                                                          &InfoCommand, &BiosCommand};
    return commands;
}
