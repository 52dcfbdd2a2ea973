#include "editor/codec/AreaNameCodec.h"

#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageLayout.h"
#include "editor/dataset/DataTexts.h"
#include "editor/image/SettingsFieldNames.h"

#include "common/TextUtil.h"

namespace vt {

void EncodeAreaNames(EncodeContext& c) {
    const std::string& areasText = c.f.OptionFields[kOptNumberArea];
    if (areasText == "1") return; // one area: the radio shows no area names
    auto areas = c.w.IntIn(areasText, 1, kMaxAreas, OptionFieldText(c.d.Lang, kOptNumberArea));
    if (!areas) return;
    for (int i = 1; i <= *areas; ++i) {
        size_t slot = layout::kAreaNameTable + static_cast<size_t>(i - 1) * layout::kAreaNameSlot;
        // The whole slot is rewritten so that no tail of the default name survives a short one.
        for (size_t k = 0; k < layout::kAreaNameSlot; ++k) c.w.Set(slot + k, 0);
        c.w.PutText(slot, c.d.AreaNames()[static_cast<size_t>(i)], layout::kAreaNameSlot,
                    FieldText(c.d.Lang, DataField::AreaName, {IntText(i)}));
    }
}

std::string AreaNameFromImage(const ImageArray& img, int area) {
    size_t slot = layout::kAreaNameTable + static_cast<size_t>(area - 1) * layout::kAreaNameSlot;
    std::string s;
    for (size_t j = 0; j < layout::kAreaNameRead; ++j)
        if (uint8_t b = img[slot + j]) s += ByteChar(b);
    return s;
}

void DecodeAreaNames(DecodeContext& c) {
    for (int i = 1; i <= kMaxAreas; ++i)
        c.d.SetAreaName(i, AreaNameFromImage(c.img, i));
}

} // namespace vt
