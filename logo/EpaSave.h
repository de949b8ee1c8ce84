#ifndef VARNEL_LOGO_EPASAVE_H
#define VARNEL_LOGO_EPASAVE_H

#include "logo/Conversion.h"

#include <QDir>
#include <QString>

class TColorTable;

// Writes the EPA logo `logoName` (a name in `dir`, or a path of its own) from the byte rows the last conversion left in
// "bin1.dat" and the colour table: "bin2.dat" (one number a line), then "bin3.dat" (one byte a
// line, with the six fixed bytes), renamed to the logo's name. `step` runs once per byte row.
// Working-file failures raise EInOutError, a bad "bin2.dat" line EConvertError. The logo is only
// renamed into place, never copied and never over an existing file or link: where that cannot be
// done an error names the logo, and "bin3.dat" stays.
void SaveEpa(const TColorTable& colors, const QDir& dir, const QString& logoName,
             const ProgressStep& step);

#endif
