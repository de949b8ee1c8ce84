#ifndef VARNEL_TOOLS_EPATOOL_IMPORTARGUMENTS_H
#define VARNEL_TOOLS_EPATOOL_IMPORTARGUMENTS_H

#include "logo/ImportOptions.h"

#include <QStringList>

// epatool's options that steer how a picture becomes an EPA logo: --threshold, --dither,
// --invert, --fit, --auto-colour and --cells. Bad values raise UsageError.
class TImportArguments {
public:
    // Takes args[i], and the value that follows it, when it is one of these options; `i` is left
    // on the last argument taken. False, and nothing taken, for any other argument.
    bool Take(const QStringList& args, int& i);
    // Refuses what contradicts itself: colours chosen from the picture light their own pixels.
    void Check() const;

    // Whether any option given is one only an EPA logo takes (a full-screen logo dithers too).
    bool EpaOnly() const { return epaOnly_; }
    bool AutoColour() const { return options_.autoColour != TAutoColour::Off; }
    bool Dithered() const { return options_.dither != TDither::None; }
    const TImportOptions& Options() const { return options_; }

private:
    void TakeThreshold(const QString& value);
    void TakeDither(const QStringList& args, int& i);
    void TakeAutoColour(const QStringList& args, int& i);
    void TakeCells(const QString& value);

    TImportOptions options_;
    bool epaOnly_ = false;
    // Given as --threshold, --invert or a dithering of its own.
    bool oneBit_ = false;
};

#endif
