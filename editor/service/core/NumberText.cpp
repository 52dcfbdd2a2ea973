#include "editor/service/core/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vt {

std::string NumberText(double value) {
    if (!std::isfinite(value) || value == 0.0) return "0";
    // The 15 significant digits and the decimal exponent as "%e" rounds them, so that a value
    // such as 9.999999999999999e-6 that rounds up to the next power of ten is placed right.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    // The decimal point goes after digit exponent + 1 (counted from 1).
    const long point = static_cast<long>(exponent) + 1;
    std::string out;
    if (point <= 0) {
        out = "0." + std::string(static_cast<size_t>(-point), '0') + digits;
    } else if (static_cast<size_t>(point) >= digits.size()) {
        out = digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
    } else {
        out = digits.substr(0, static_cast<size_t>(point)) + "." + digits.substr(static_cast<size_t>(point));
    }
    return value < 0 ? "-" + out : out;
}

} // namespace vt
