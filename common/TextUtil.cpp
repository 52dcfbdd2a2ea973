#include "common/TextUtil.h"

#include <algorithm>
#include <cctype>
#include <charconv>
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

namespace {

// Unsigned fixed-point text rounded to `decimals` places by its first dropped digit (5 or more:
// away from zero). The text carries more places than are kept.
std::string RoundFixedText(std::string_view text, int decimals) {
    const size_t point = text.find('.');
    const auto kept = static_cast<size_t>(decimals);
    std::string digits = std::string(text.substr(0, point)) + std::string(text.substr(point + 1, kept));
    if (text[point + 1 + kept] >= '5') {
        size_t k = digits.size();
        while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
        if (k == 0) digits.insert(digits.begin(), '1');
        else ++digits[k - 1];
    }
    const size_t whole = digits.size() - kept;
    std::string out = digits.substr(0, whole);
    if (decimals > 0) out += "." + digits.substr(whole);
    return out;
}

} // namespace

std::string FormatFixed(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 12);
    if (!std::isfinite(value)) value = 0.0;
    const double magnitude = std::fabs(value);
    // Correctly rounded to kGuard places beyond the kept ones, the first dropped digit decides,
    // unless those places read as a half ("5000..."): the exact value may then lie on either
    // side of the half, or on it, and only its full expansion (at most 1074 places) tells.
    constexpr int kGuard = 20;
    constexpr int kAllPlaces = 1100;
    char quick[320 + 12 + kGuard];
    auto r =
        std::to_chars(quick, quick + sizeof quick, magnitude, std::chars_format::fixed, decimals + kGuard);
    std::string_view text(quick, static_cast<size_t>(r.ptr - quick));
    const std::string_view dropped = text.substr(text.find('.') + 1 + static_cast<size_t>(decimals));
    std::string exact;
    if (dropped[0] == '5' && dropped.find_first_not_of('0', 1) == std::string_view::npos) {
        exact.resize(320 + kAllPlaces);
        r = std::to_chars(exact.data(), exact.data() + exact.size(), magnitude, std::chars_format::fixed,
                          kAllPlaces);
        text = std::string_view(exact.data(), static_cast<size_t>(r.ptr - exact.data()));
    }
    std::string out = RoundFixedText(text, decimals);
    const bool zero = out.find_first_not_of("0.") == std::string::npos;
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

std::string FillIn(std::string_view text, std::initializer_list<std::string_view> values) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t k = i + 1 < text.size() && text[i] == '%' ? static_cast<size_t>(text[i + 1] - '1') : values.size();
        if (k < values.size()) {
            out += values.begin()[k];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace vt
