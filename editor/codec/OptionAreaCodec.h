#pragma once
// Option area, display label, key table, ID suffix and manual setup bytes.
#include <string>

namespace vt {

struct EncodeContext;
struct DecodeContext;

void EncodeOptionArea(EncodeContext& c);
void EncodeKeyTable(EncodeContext& c);
void EncodeIdSuffix(EncodeContext& c);
void EncodeManualSetup(EncodeContext& c);

void DecodeOptionArea(DecodeContext& c);
void DecodeKeyTable(DecodeContext& c);
void DecodeIdSuffix(DecodeContext& c);
void DecodeManualSetup(DecodeContext& c);

// FARMCALL/MARNET second frequency of the option area's word (0x1F high, 0x1E low); none for 0.
std::string SecondFrequencyText(int word);

} // namespace vt
