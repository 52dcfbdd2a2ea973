#pragma once
// 5-tone call list: the tone-set byte, the 32-byte records, the emergency table and the bytes
// of the special calls.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vt {

struct EncodeContext;
struct DecodeContext;

void EncodeToneSetByte(EncodeContext& c);
void EncodeEmergencyTable(EncodeContext& c);
void EncodeToneRecords(EncodeContext& c);

void DecodeEmergencyTable(DecodeContext& c);
void DecodeToneRecords(DecodeContext& c);

// Special-call bytes of line n (record at rec); the kind is SpecialData(n, 1).
void EncodeSpecialCall(EncodeContext& c, int n, size_t rec);
// Special-call fields of line n from its record; the line's fields are updated in place.
void DecodeSpecialCall(DecodeContext& c, int n, size_t rec, std::vector<std::string>& line);

// Six 4-bit codes (elements 1..6) packed two a byte, the first of a pair low.
void PackCodes(EncodeContext& c, size_t at, const std::array<int, 7>& codes);
// Hex digits of the bytes, each byte's low nibble first.
std::string HexText(DecodeContext& c, size_t at, size_t count);

// Line n of the 5-tone list split into its fields; nothing unless it has exactly six.
std::optional<std::vector<std::string>> ToneLineFields(const std::string& line);

} // namespace vt
