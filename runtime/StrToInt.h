#ifndef VARNEL_RUNTIME_STRTOINT_H
#define VARNEL_RUNTIME_STRTOINT_H

#include <cstdint>
#include <string_view>

// Plain decimal with an optional sign, as a 32-bit signed value; anything else (blanks, an
// empty text, overflow) raises EConvertError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

#endif
