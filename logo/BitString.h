#ifndef VARNEL_LOGO_BITSTRING_H
#define VARNEL_LOGO_BITSTRING_H

#include <string_view>

// The byte value of up to eight bit characters, the first weighing 128: a "1" adds its weight,
// any other character nothing.
int BitStringValue(std::string_view bits);

#endif
