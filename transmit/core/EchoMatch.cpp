#include "transmit/core/EchoMatch.h"

namespace vt {

bool EchoConfirms(const uint8_t* got, size_t n, uint8_t expected) {
    if (n < 1 || n > 2) return false;
    for (size_t i = 0; i < n; ++i)
        if (got[i] == expected) return true;
    return false;
}

} // namespace vt
