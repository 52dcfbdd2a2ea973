#pragma once
// Number and text helpers with the semantics the radio data relies on: numbers typed by users
// and stored in text fields are converted the way the data files have always been read.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// Numeric grammar, after trimming spaces at both ends:
//   [+|-] digits [. [digits]] [(e|E) [+|-] digits]   or   [+|-] . digits [exponent]
// At least one mantissa digit is required; nothing else (no hex, no thousands separators,
// no embedded blanks). "" is not numeric.
bool IsNumeric(std::string_view text);

// The value of numeric text, or nothing when the text is not numeric.
std::optional<double> ToDouble(std::string_view text);

// Nearest whole number with halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

// Numeric text rounded half-to-even; nothing when not numeric or outside the type's range.
std::optional<long long> ToWhole(std::string_view text);
std::optional<int16_t> ToInt16(std::string_view text);
std::optional<uint8_t> ToByte(std::string_view text);

// Range checks that report instead of wrapping.
std::optional<int16_t> CheckedInt16(long long value);
std::optional<uint8_t> CheckedByte(long long value);

// An ASCII digit '0' to '9'; unlike std::isdigit, no locale and no trouble with bytes above 0x7F.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// At least one character and nothing but ASCII digits: no sign, blank or decimal point.
bool IsDigits(std::string_view text);

// Removes leading and trailing space characters (only ' ', as the old runtime did).
std::string Trim(std::string_view text);

std::vector<std::string> Split(std::string_view text, char sep = '|');
std::string Join(const std::vector<std::string>& parts, std::string_view sep = "|");

// Fixed-point text with the given number of decimals ("0.0000" -> 4, "0.0" -> 1), rounded from
// the exact value of the double: 36944.015625 to 4 places is "36944.0156", and a double just
// below a half (145.00625 is 145.006249999...) rounds down. Exact halves go away from zero, like
// the old Format. A result of zero has no sign.
std::string FormatFixed(double value, int decimals);

std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Decimal text of a whole number, no spaces.
std::string IntText(long long value);

// The text with %1 to %9 replaced by the values (a mark without a value stays as it is), so that
// a translated text can put them in its own order.
std::string FillIn(std::string_view text, std::initializer_list<std::string_view> values);

} // namespace vt
