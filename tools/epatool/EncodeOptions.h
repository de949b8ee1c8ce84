#ifndef VARNEL_TOOLS_EPATOOL_ENCODEOPTIONS_H
#define VARNEL_TOOLS_EPATOOL_ENCODEOPTIONS_H

#include "tools/epatool/ImportArguments.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

enum class TLogoFormat { Epa, Awbm };

// What epatool encode is told.
struct EncodeOptions {
    TLogoFormat format = TLogoFormat::Epa;
    std::optional<int> attribute;
    TImportArguments logo;
    std::optional<int> colors;
    std::optional<QSize> size;
    std::optional<QString> outDir;
    std::optional<QString> inputFormat;
    QStringList files;

    // A full-screen logo's colours: 16 unless told.
    int AwbmColors() const { return colors.value_or(16); }
};

// epatool encode's arguments, each checked and the options that contradict each other refused;
// anything wrong raises UsageError.
EncodeOptions ParseEncode(const QStringList& args);

#endif
