#ifndef VARNEL_TESTS_FAILURE_H
#define VARNEL_TESTS_FAILURE_H

#include "runtime/Exception.h"

#include <QString>
#include <functional>

// The message of the failure `work` raises, or "" when it raises none.
inline QString Failure(const std::function<void()>& work) {
    try {
        work();
    } catch (const Exception& failure) {
        return failure.Message();
    }
    return {};
}

#endif
