#include "editor/codec/CodecContext.h"

#include "editor/codec/ImageLayout.h"

namespace vt {

void DecodeContext::SetSlotText(int slot, int col, const std::string& text) {
    if (col < 0 || col >= kGridCols) return;
    if (slot == layout::kSecondReceiverSlot)
        kept[static_cast<size_t>(col)] = text;
    else
        d.SetCell(slot, col, text, RecordWrite::Quiet);
}

const std::string& DecodeContext::SlotText(int slot, int col) const {
    if (slot == layout::kSecondReceiverSlot && col >= 0 && col < kGridCols) return kept[static_cast<size_t>(col)];
    return d.MFG.TextMatrix(slot, col);
}

} // namespace vt
