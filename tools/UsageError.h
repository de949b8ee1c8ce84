#ifndef VARNEL_TOOLS_USAGEERROR_H
#define VARNEL_TOOLS_USAGEERROR_H

#include <QString>

// A command line epatool cannot follow: reported with the usage, exit status 2.
struct UsageError {
    QString message;
};

// The number an option was given, which must lie in low..high.
inline int NumberArgument(const QString& option, const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        throw UsageError{QStringLiteral("%1 takes a number from %2 to %3, not \"%4\"")
                             .arg(option)
                             .arg(low)
                             .arg(high)
                             .arg(text)};
    return value;
}

#endif
