#pragma once
// Small text procedures shared by the windows and the image code.
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// 0 when the text is empty or not numeric, else the nearest whole number (halves to even).
// Values outside the 16-bit range also give 0: callers pass short numbers only.
int StrToIntDef(std::string_view text);

// The radio's form of a 5-tone sequence: the second of two equal neighbours becomes "R"
// ("11223" -> "1R2R3"); the result is upper-cased after the comparison.
std::string InsertRepeatTone(std::string_view digits);

// Positive numeric text rounded (halves to even) and then down to a multiple of step; -1 when
// the text is empty, not numeric, not above 0, outside the 16-bit range, or step is not positive.
int RoundDownToStep(std::string_view text, int step);

// Joins with one "|" between neighbours.
std::string JoinFields(const std::vector<std::string>& fields);

} // namespace vt
