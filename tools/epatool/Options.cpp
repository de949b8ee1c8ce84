#include "tools/epatool/Options.h"

#include "tools/epatool/UsageError.h"

TOptions::TOptions(const QStringList& args, const QStringList& flags, const QStringList& valued) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == "--") {
            names_ += args.mid(i + 1);
            return;
        }
        if (!arg.startsWith('-') || arg == "-") {
            names_.append(arg);
            continue;
        }
        const qsizetype equals = arg.indexOf('=');
        const QString name = equals < 0 ? arg : arg.left(equals);
        if (flags.contains(name) && equals < 0) {
            flags_.append(name);
        } else if (!valued.contains(name)) {
            throw UsageError{QStringLiteral("unknown option: %1").arg(arg)};
        } else if (equals >= 0) {
            values_[name] = arg.mid(equals + 1);
        } else if (i + 1 < args.size()) {
            values_[name] = args[++i];
        } else {
            throw UsageError{QStringLiteral("%1 needs a value").arg(name)};
        }
    }
}

std::optional<QString> TOptions::Value(const QString& name) const {
    const auto found = values_.find(name);
    if (found == values_.end())
        return std::nullopt;
    return *found;
}

int ParseNumber(const QString& option, const QString& text, int low, int high) {
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

QString ParseChoice(const QString& option, const QString& text, const QStringList& choices) {
    if (!choices.contains(text))
        throw UsageError{QStringLiteral("%1 takes %2, not \"%3\"")
                             .arg(option, choices.join(QStringLiteral(", ")), text)};
    return text;
}
