#pragma once
// Echo check of a write: one or two bytes read from the line are compared in order with the
// byte last sent; a longer read is line noise and never confirms a byte.
#include <cstddef>
#include <cstdint>

namespace vt {

inline constexpr int kWriteLength = 0x3BFF; // image bytes 0 to 0x3BFE are sent
inline constexpr int kWriteProgressBase = 15360;

bool EchoConfirms(const uint8_t* got, size_t n, uint8_t expected);

} // namespace vt
