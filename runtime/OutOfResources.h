#ifndef VARNEL_RUNTIME_OUTOFRESOURCES_H
#define VARNEL_RUNTIME_OUTOFRESOURCES_H

#include "runtime/Exception.h"

// The platform refused a resource it hands out in limited numbers ("Not enough timers
// available").
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

#endif
