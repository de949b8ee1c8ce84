#ifndef VARNEL_TOOLS_EPATOOL_LOGOINPUT_H
#define VARNEL_TOOLS_EPATOOL_LOGOINPUT_H

#include "logo/AwbmLogo.h"
#include "logo/EpaLogo.h"

#include <QString>
#include <variant>

using TLogo = std::variant<TEpaLogo, TAwbmLogo>;

// The logo in `bytes`, EPA or AWBM as its first bytes say; an error names it `name` when it is
// neither.
TLogo ParseLogo(const QByteArray& bytes, const QString& name);
// The logo in the file `input` (standard input for "-"), EPA or AWBM as its first bytes say.
// Raises an error naming the file when it is neither.
TLogo ReadLogo(const QString& input);

#endif
