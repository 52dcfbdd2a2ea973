#include "editor/image/FixedPoint.h"

#include "common/TextUtil.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <string>

namespace vt {
namespace {

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
    // 2^63 has 19 digits; a whole part of 20 or more digits cannot fit.
    long long keep = static_cast<long long>(digits.size()) + shift;
    if (keep > 19) return std::nullopt;
    // The kept whole part, in 128 bits so that 19 digits and the rounding step never overflow,
    // and the dropped digits that decide the rounding.
    unsigned __int128 whole = 0;
    const long long given = static_cast<long long>(digits.size());
    for (long long k = 0; k < keep; ++k)
        whole = whole * 10 + static_cast<unsigned>(k < given ? digits[static_cast<size_t>(k)] - '0' : 0);
    if (keep < given) {
        std::string dropped = digits.substr(keep < 0 ? 0 : static_cast<size_t>(keep));
        if (keep < 0) dropped.insert(0, static_cast<size_t>(std::min<long long>(-keep, 2)), '0');
        bool above =
            dropped[0] > '5' || (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
        bool half = dropped[0] == '5' && !above;
        if (above || (half && (whole & 1))) ++whole;
    }
    constexpr auto kMaxPositive = static_cast<unsigned __int128>(std::numeric_limits<long long>::max());
    if (whole > kMaxPositive + (d.negative ? 1 : 0)) return std::nullopt;
    if (d.negative && whole == kMaxPositive + 1) return std::numeric_limits<long long>::min();
    if (d.negative) return -static_cast<long long>(whole);
    return static_cast<long long>(whole);
}

} // namespace vt
