#ifndef VARNEL_RUNTIME_READERROR_H
#define VARNEL_RUNTIME_READERROR_H

#include "runtime/Exception.h"

// A stream ran out before a part of fixed size had been read: "Stream read error".
class EReadError : public Exception {
public:
    EReadError() : Exception(QStringLiteral("Stream read error")) {}
};

#endif
