#pragma once
// Area name table: ten slots of 24 bytes.
#include "editor/codec/ImageWriter.h"

#include <string>

namespace vt {

struct EncodeContext;
struct DecodeContext;

void EncodeAreaNames(EncodeContext& c);
void DecodeAreaNames(DecodeContext& c);
// Name of area 1..10 as the decoder reads it from an image.
std::string AreaNameFromImage(const ImageArray& img, int area);

} // namespace vt
