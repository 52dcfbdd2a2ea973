#include "editor/dataset/CellRulesDecimal.h"

#include "common/TextUtil.h"

#include <algorithm>
#include <string>

namespace vt {

namespace {
constexpr int kMaxWholeDigits = 17; // fits a long long with room to spare

// Exponent digits, clamped: anything this far out is zero or huge either way.
long long ReadExponent(const std::string& t, size_t i) {
    bool neg = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
    long long e = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i)
        if (e < 100000) e = e * 10 + (t[i] - '0');
    return neg ? -e : e;
}
} // namespace

std::optional<ScaledDecimal> ScaleDecimal(std::string_view text, int scale) {
    if (!IsNumeric(text)) return std::nullopt;
    std::string t = Trim(text);
    size_t i = 0;
    bool neg = false;
    if (t[i] == '+' || t[i] == '-') neg = t[i++] == '-';
    // value = mantissa x 10^exp10
    std::string mantissa;
    long long exp10 = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i) mantissa += t[i];
    if (i < t.size() && t[i] == '.')
        for (++i; i < t.size() && IsDigit(t[i]); ++i, --exp10) mantissa += t[i];
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) exp10 += ReadExponent(t, i + 1);
    exp10 += scale;

    size_t lead = mantissa.find_first_not_of('0');
    ScaledDecimal out;
    if (lead == std::string::npos) return out; // zero, whatever its sign
    mantissa.erase(0, lead);
    out.Negative = neg;

    std::string whole, below;
    long long len = static_cast<long long>(mantissa.size());
    if (exp10 >= 0) {
        if (len + exp10 > kMaxWholeDigits) {
            out.Huge = true;
            return out;
        }
        whole = mantissa + std::string(static_cast<size_t>(exp10), '0');
    } else if (-exp10 >= len) {
        below = std::string(static_cast<size_t>(std::min<long long>(-exp10 - len, 2)), '0') + mantissa;
    } else {
        whole = mantissa.substr(0, static_cast<size_t>(len + exp10));
        below = mantissa.substr(static_cast<size_t>(len + exp10));
        if (static_cast<long long>(whole.size()) > kMaxWholeDigits) {
            out.Huge = true;
            return out;
        }
    }
    out.Units = whole.empty() ? 0 : std::stoll(whole);
    out.Remainder = below.find_first_not_of('0') != std::string::npos;
    out.FirstDropped = below.empty() ? 0 : below[0] - '0';
    return out;
}

int CompareScaled(const ScaledDecimal& v, long long units) {
    bool zero = !v.Huge && v.Units == 0 && !v.Remainder;
    if (v.Negative && !zero) {
        // -x against units: below any units >= 0; else compare magnitudes reversed.
        if (units >= 0) return -1;
        ScaledDecimal m = v;
        m.Negative = false;
        return -CompareScaled(m, -units);
    }
    if (units < 0) return 1;
    if (v.Huge || v.Units > units) return 1;
    if (v.Units < units) return -1;
    return v.Remainder ? 1 : 0;
}

} // namespace vt
