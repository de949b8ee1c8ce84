#ifndef VARNEL_RUNTIME_STORE_H
#define VARNEL_RUNTIME_STORE_H

// Stores `value` in a property's `field` and tells whether that changed it, so that the setter
// repaints (or re-sizes) only then.
template <typename T> bool Store(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

#endif
