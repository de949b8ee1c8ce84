#ifndef VARNEL_RUNTIME_OUTOFMEMORY_H
#define VARNEL_RUNTIME_OUTOFMEMORY_H

#include "runtime/Exception.h"

#include <QImage>
#include <new>

// A picture that could not be loaded for want of memory: "Not enough memory to load <name>".
class EOutOfMemory : public Exception {
public:
    explicit EOutOfMemory(const QString& picture)
        : Exception(QStringLiteral("Not enough memory to load %1").arg(picture)) {}
};

// Qt gives a null image where it had no memory for one; that must not pass for an empty
// picture, so it becomes std::bad_alloc here.
inline QImage Allocated(QImage image) {
    if (image.isNull())
        throw std::bad_alloc();
    return image;
}

#endif
