#ifndef VARNEL_RUNTIME_INVALIDGRAPHIC_H
#define VARNEL_RUNTIME_INVALIDGRAPHIC_H

#include "runtime/Exception.h"

// A picture file that could not be read, or an operation its kind of picture does not offer
// ("Bitmap image is not valid", "Unknown picture file extension (.xyz)",
// "Can only modify an image if it contains a bitmap").
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

#endif
