#ifndef VARNEL_RUNTIME_CONVERTERROR_H
#define VARNEL_RUNTIME_CONVERTERROR_H

#include "runtime/Exception.h"

// A text that should have held a number did not.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

#endif
