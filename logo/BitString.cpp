#include "logo/BitString.h"

int BitStringValue(std::string_view bits) {
    int sum = 0;
    for (std::size_t p = 0; p < 8 && p < bits.size(); ++p)
        if (bits[p] == '1')
            sum += 128 >> p;
    return sum;
}
