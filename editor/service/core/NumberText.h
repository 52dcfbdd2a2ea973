#pragma once
// The decimal text of a double as the service windows show numbers: at most 15 significant
// digits, no trailing zeros, never an exponent, whatever the magnitude ("32.3", "0.5", "67",
// "123456789012346000000", "0.00000000000000000001").
#include <string>

namespace vt {

std::string NumberText(double value);

} // namespace vt
