#pragma once
// The decimal text of a double as the service windows show numbers: at most 15 significant
// digits, no trailing zeros, no exponent ("32.3", "0.5", "67").
#include <string>

namespace vt {

std::string NumberText(double value);

} // namespace vt
