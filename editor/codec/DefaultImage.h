#pragma once
// The image shipped as default.Tbl: the New data set encoded on a base whose unwritten bytes
// read back as blank (spaces in the name fields, zero words, the default area names).
#include "editor/codec/ImageWriter.h"

namespace vt {

class ConversionTables;

ImageArray DefaultImageBase();
// Empty when the New data set cannot be encoded (it always can with sound tables).
std::optional<ImageArray> BuildDefaultImage(const ConversionTables& conv);

} // namespace vt
