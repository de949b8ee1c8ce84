#ifndef VARNEL_TOOLS_EPATOOL_NAMEDFAILURE_H
#define VARNEL_TOOLS_EPATOOL_NAMEDFAILURE_H

#include "runtime/Exception.h"

#include <QString>

// A failure while encoding, told with the file it befell and why: the runtime's own messages
// ("Disk full", "Bitmap image is not valid") name neither.
Exception Named(const QString& input, const QString& output, const Exception& failure);

#endif
