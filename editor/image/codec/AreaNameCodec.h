#pragma once
// Area name table: ten slots of 24 bytes.
namespace vt {

struct EncodeContext;
struct DecodeContext;

void EncodeAreaNames(EncodeContext& c);
void DecodeAreaNames(DecodeContext& c);

} // namespace vt
