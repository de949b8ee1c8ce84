#ifndef VARNEL_ROM_LZHERROR_H
#define VARNEL_ROM_LZHERROR_H

#include "runtime/Exception.h"

// Packed data that cannot be what its header says. The message says what is wrong; whoever
// catches it names the module.
class ELzhError : public Exception {
public:
    explicit ELzhError(const QString& message) : Exception(message) {}
};

#endif
