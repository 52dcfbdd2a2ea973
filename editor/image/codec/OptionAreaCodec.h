#pragma once
// Option area, display label, key table, ID suffix and manual setup bytes.
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

// User-facing name of option field n (0..38).
const char* OptionFieldName(int n);
// User-facing names of the 5-tone settings (0..5) and FARMCALL/MARNET fields (0..9).
const char* ToneFieldName(int n);
const char* FarmFieldName(int n);

} // namespace vt
