#include "editor/image/FixedPoint.h"

#include "common/TextUtil.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace vt {
namespace {

constexpr long long kLimit = 999'999'999'999'999'999LL; // keeps every step below free of overflow

// Digits of the mantissa without the point, and the power of ten they are to be scaled by.
struct Decimal {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

// Saturates, so a silly exponent is simply out of range.
long long ParseExponent(std::string_view e) {
    bool neg = !e.empty() && e[0] == '-';
    if (!e.empty() && (e[0] == '-' || e[0] == '+')) e.remove_prefix(1);
    long long v = 0;
    for (char c : e) v = std::min(v * 10 + (c - '0'), 100000LL);
    return neg ? -v : v;
}

Decimal Parse(std::string_view t) {
    Decimal d;
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') d.negative = t[i++] == '-';
    bool afterPoint = false;
    for (; i < t.size(); ++i) {
        char c = t[i];
        if (c == '.') {
            afterPoint = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            d.digits += c;
            if (afterPoint) --d.exponent;
        } else {
            break; // exponent
        }
    }
    if (i < t.size()) d.exponent += ParseExponent(t.substr(i + 1));
    return d;
}

} // namespace

long long DivRoundHalfEven(long long num, long long den) {
    long long q = num / den, r = num % den;
    if (r < 0) {
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && (q & 1))) ++q;
    return q;
}

std::optional<long long> ToScaled(std::string_view text, int decimals) {
    std::string t = Trim(text);
    if (!IsNumeric(t)) return std::nullopt;
    Decimal d = Parse(t);
    size_t nz = d.digits.find_first_not_of('0');
    if (nz == std::string::npos) return 0;
    std::string digits = d.digits.substr(nz);
    long long shift = d.exponent + decimals;
    if (shift > 40 || static_cast<long long>(digits.size()) + shift > 18) return std::nullopt;
    // Split into the kept whole part and the dropped digits that decide the rounding.
    long long keep = static_cast<long long>(digits.size()) + shift;
    long long whole = 0;
    for (long long k = 0; k < keep; ++k)
        whole = whole * 10 + (k < static_cast<long long>(digits.size()) ? digits[k] - '0' : 0);
    if (keep < static_cast<long long>(digits.size())) {
        std::string dropped = digits.substr(keep < 0 ? 0 : keep);
        if (keep < 0) dropped.insert(0, static_cast<size_t>(-keep), '0');
        bool above = dropped[0] > '5' || (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
        bool half = dropped[0] == '5' && !above;
        if (above || (half && (whole & 1))) ++whole;
    }
    if (whole > kLimit) return std::nullopt;
    return d.negative ? -whole : whole;
}

} // namespace vt
