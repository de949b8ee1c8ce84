#ifndef VARNEL_TOOLS_EPATOOL_USAGEERROR_H
#define VARNEL_TOOLS_EPATOOL_USAGEERROR_H

#include <QString>

constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;

// A command line epatool cannot follow: the message, then the usage of the command it was for
// (the tool's own usage when there is none), and exit status 2.
struct UsageError {
    QString message;
};

#endif
