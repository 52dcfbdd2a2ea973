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

// User-facing name of option field n (0..38).
const char* OptionFieldName(int n);
// User-facing names of the 5-tone settings (0..5) and FARMCALL/MARNET fields (0..9).
const char* ToneFieldName(int n);
const char* FarmFieldName(int n);

} // namespace vt
