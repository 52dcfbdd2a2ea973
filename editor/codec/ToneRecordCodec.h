#pragma once
// 5-tone call list: the tone-set byte, the 32-byte records, the emergency table and the bytes
// of the special calls.
#include "editor/dataset/EditorData.h"
#include "editor/image/CallTexts.h"
#include "editor/image/SettingsFieldNames.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

// Two 4-bit codes in one byte, the first low.
inline uint8_t PackPair(int first, int second) {
    return static_cast<uint8_t>((second & 0x0F) << 4 | (first & 0x0F));
}
// Six 4-bit codes (elements 1..6) packed two a byte, the first of a pair low.
void PackCodes(EncodeContext& c, size_t at, const std::array<int, 7>& codes);
// Hex digits of the bytes, each byte's low nibble first.
std::string HexText(DecodeContext& c, size_t at, size_t count);

// Line n of the 5-tone list split into its fields; nothing unless it has exactly six.
std::optional<std::vector<std::string>> ToneLineFields(const std::string& line);

// "5-tone line n": the field name of the line's messages and replacements.
std::string ToneLineName(const LanguageTexts& lang, int n);

// A typed call's text: kCallPrefix, then at most kMaxCallDigits digits.
inline constexpr size_t kMaxCallDigits = 20;

// A typed call: kind "0" but not a call to another user, whose digits are the line's text.
inline bool IsPlainCall(const SpecialLine& sd) {
    return sd[kSpecKind] == kKindPlain && sd[kSpecOtherUser] != kOtherUserMark;
}
// A call to another user without a decoded reply.
inline bool IsOtherUserCall(const SpecialLine& sd) {
    return sd[kSpecKind] == kKindPlain && sd[kSpecOtherUser] == kOtherUserMark;
}

} // namespace vt
