#ifndef VARNEL_TOOLS_EPATOOL_OPTIONS_H
#define VARNEL_TOOLS_EPATOOL_OPTIONS_H

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

// A command's arguments split into names and options. Options are "--name" or, for one that
// takes a value, "--name VALUE" or "--name=VALUE"; "-" is a name (standard input or output) and
// everything after "--" is a name too. An option the command does not know, or one missing its
// value, raises a UsageError.
class TOptions {
public:
    TOptions(const QStringList& args, const QStringList& flags, const QStringList& valued);

    const QStringList& Names() const { return names_; }
    bool Flag(const QString& name) const { return flags_.contains(name); }
    std::optional<QString> Value(const QString& name) const;

private:
    QStringList names_;
    QStringList flags_;
    QMap<QString, QString> values_;
};

// The number in `text`, from `low` to `high`; anything else raises a UsageError naming `option`.
int ParseNumber(const QString& option, const QString& text, int low, int high);

// One of `choices`; anything else raises a UsageError naming `option` and the choices.
QString ParseChoice(const QString& option, const QString& text, const QStringList& choices);

#endif
