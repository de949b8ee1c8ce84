#ifndef VARNEL_TOOLS_EPATOOL_ROMCOMMAND_H
#define VARNEL_TOOLS_EPATOOL_ROMCOMMAND_H

#include <QStringList>

// epatool's BIOS-image commands: "rom list", "rom extract", "rom replace", and "decode --emblem".
namespace RomCommand {

extern const char* const Usage;

// `args` after "rom". Returns the exit status; a usage error is printed with the usage and gives
// 2, bad input raises an error for the caller to print (status 1).
int Run(const QStringList& args);

} // namespace RomCommand

#endif
