#include "common/TextUtil.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vt {

bool IsDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit); }

std::string Trim(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return std::string(text.substr(b, e - b));
}

bool IsNumeric(std::string_view raw) {
    std::string t = Trim(raw);
    size_t i = 0, n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && IsDigit(t[i])) ++i, ++digits;
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && IsDigit(t[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < n && IsDigit(t[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == n;
}

std::optional<double> ToDouble(std::string_view text) {
    if (!IsNumeric(text)) return std::nullopt;
    std::string t = Trim(text);
    double v = std::strtod(t.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

double RoundHalfEven(double value) {
    double fl = std::floor(value);
    double diff = value - fl;
    if (diff > 0.5) return fl + 1.0;
    if (diff < 0.5) return fl;
    return std::fmod(fl, 2.0) == 0.0 ? fl : fl + 1.0;
}

std::optional<long long> ToWhole(std::string_view text) {
    auto v = ToDouble(text);
    if (!v) return std::nullopt;
    double r = RoundHalfEven(*v);
    if (r < -9.0e18 || r > 9.0e18) return std::nullopt;
    return static_cast<long long>(r);
}

std::optional<int16_t> CheckedInt16(long long value) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(value);
}

std::optional<uint8_t> CheckedByte(long long value) {
    if (value < 0 || value > 255) return std::nullopt;
    return static_cast<uint8_t>(value);
}

std::optional<int16_t> ToInt16(std::string_view text) {
    auto v = ToWhole(text);
    if (!v) return std::nullopt;
    return CheckedInt16(*v);
}

std::optional<uint8_t> ToByte(std::string_view text) {
    auto v = ToWhole(text);
    if (!v) return std::nullopt;
    return CheckedByte(*v);
}

std::vector<std::string> Split(std::string_view text, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t pos = text.find(sep, start);
        if (pos == std::string_view::npos) {
            out.emplace_back(text.substr(start));
            return out;
        }
        out.emplace_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

std::string Join(const std::vector<std::string>& parts, std::string_view sep) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) out += sep;
        out += parts[i];
    }
    return out;
}

std::string FormatFixed(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > 12) decimals = 12;
    if (!std::isfinite(value)) value = 0.0;
    // Every double has a finite decimal expansion of at most 1074 places; printed in full, the
    // digits after the kept ones tell exactly whether the dropped part is a half or more.
    constexpr int kAllPlaces = 1100;
    const double magnitude = std::fabs(value);
    std::vector<char> buf(static_cast<size_t>(std::snprintf(nullptr, 0, "%.*f", kAllPlaces, magnitude)) + 1);
    std::snprintf(buf.data(), buf.size(), "%.*f", kAllPlaces, magnitude);
    std::string exact(buf.data());
    const size_t point = exact.find('.');
    std::string digits = exact.substr(0, point) + exact.substr(point + 1, static_cast<size_t>(decimals));
    if (exact[point + 1 + static_cast<size_t>(decimals)] >= '5') { // a half or more: away from zero
        size_t k = digits.size();
        while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
        if (k == 0) digits.insert(digits.begin(), '1');
        else ++digits[k - 1];
    }
    const size_t whole = digits.size() - static_cast<size_t>(decimals);
    std::string out = digits.substr(0, whole);
    if (decimals > 0) out += "." + digits.substr(whole);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    return value < 0 && !zero ? "-" + out : out;
}

std::string ToUpperAscii(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string ToLowerAscii(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) { return ToLowerAscii(a) == ToLowerAscii(b); }

std::string IntText(long long value) { return std::to_string(value); }

} // namespace vt
