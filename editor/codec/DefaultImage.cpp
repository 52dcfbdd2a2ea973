#include "editor/codec/DefaultImage.h"

#include "editor/codec/ImageCodec.h"
#include "editor/codec/ImageLayout.h"

#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/EditorData.h"

#include <string>

namespace vt {

ImageArray DefaultImageBase() {
    ImageArray img{};
    img[0] = 0x20; // signature the table loader tests
    img[1] = 0x09;
    // Codes that read back as nothing: an empty own ID, group ID and MARNET ID stay empty.
    img[layout::opt::OwnIdDigits] = 0xFF;
    for (size_t k = 0; k < layout::opt::GroupIdSize; ++k) img[layout::opt::GroupId + k] = 0xFF;
    for (size_t k = 0; k < layout::opt::PackedIdSize; ++k) img[layout::opt::PackedId + k] = 0xFF;
    for (int s = 1; s <= layout::kSecondReceiverSlot; ++s) {
        size_t rec = layout::ChannelSlot(s);
        for (size_t k = 0; k < layout::ch::Name1Size; ++k) img[rec + layout::ch::Name1 + k] = ' ';
        // Name2 stays zero from its first byte: a zero first byte reads as no second line.
    }
    for (int n = 1; n <= kToneLines; ++n) {
        img[layout::ToneRecord(n) + 2] = 0x20; // one try, so a line without tries reads back stable
        for (size_t k = 0; k < 16; ++k) img[layout::ToneRecord(n) + 0x10 + k] = ' ';
    }
    for (int a = 1; a <= kMaxAreas; ++a) {
        std::string name = std::to_string(a);
        for (size_t k = 0; k < name.size(); ++k)
            img[layout::kAreaNameTable + static_cast<size_t>(a - 1) * layout::kAreaNameSlot + k] =
                static_cast<uint8_t>(name[k]);
    }
    return img;
}

std::optional<ImageArray> BuildDefaultImage(const ConversionTables& conv) {
    EditorData d;
    ResetDataSet(d);
    CodecTables tables;
    tables.DefaultImage = DefaultImageBase();
    tables.Conv = &conv;
    EncodeResult r = EncodeImage(d, tables, ImageSource::Radio);
    if (!r.ok()) return std::nullopt;
    return r.image;
}

} // namespace vt
