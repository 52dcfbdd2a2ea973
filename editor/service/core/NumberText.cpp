#include "editor/service/core/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace vt {

namespace {
void StripZeros(std::string& s) {
    if (s.find('.') == std::string::npos) return;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
}
} // namespace

std::string NumberText(double value) {
    if (!std::isfinite(value)) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    if (!std::strchr(buf, 'e')) {
        std::string s = buf;
        StripZeros(s);
        return s == "-0" ? "0" : s;
    }
    // Write the same 15 significant digits in plain notation.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = exponent < 0 ? 14 - exponent : 0;
    if (decimals > 40 || exponent > 40) return buf;
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string s = buf;
    StripZeros(s);
    return s;
}

} // namespace vt
