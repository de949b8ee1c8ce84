#ifndef VARNEL_RUNTIME_INVALIDWAVE_H
#define VARNEL_RUNTIME_INVALIDWAVE_H

#include "runtime/Exception.h"

// Wave data that could not be read or cannot be played ("Wave data is not valid",
// "Wave format not supported").
class EInvalidWave : public Exception {
public:
    using Exception::Exception;
};

#endif
