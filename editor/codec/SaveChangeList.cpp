#include "editor/codec/SaveChangeList.h"

#include "editor/codec/ChannelCodec.h"
#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageCodec.h"
#include "editor/codec/ImageLayout.h"
#include "editor/codec/OptionAreaCodec.h"
#include "editor/codec/OptionAreaTable.h"
#include "editor/codec/ToneRecordCodec.h"

#include "common/TextUtil.h"
#include "editor/dataset/DataTexts.h"
#include "editor/dataset/GridRules.h"
#include "editor/image/FreqWords.h"
#include "editor/image/SettingsFieldNames.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

namespace vt {

namespace {

// The field names whose bytes a listed replacement already accounts for.
bool Explained(size_t at, const LanguageTexts& lang, const std::vector<ImageRepair>& list) {
    auto listed = [&](const std::string& name) {
        return std::any_of(list.begin(), list.end(), [&](const ImageRepair& r) { return r.row == 0 && r.field == name; });
    };
    for (const optarea::Row& row : optarea::kRows) {
        if (row.record == optarea::Record::None || row.offset != at) continue;
        const std::string name = row.record == optarea::Record::Option ? OptionFieldText(lang, row.field)
                                 : row.record == optarea::Record::Tone ? ToneFieldText(lang, row.field)
                                                                       : FarmFieldText(lang, row.field);
        if (listed(name)) return true;
    }
    for (size_t k = 0; k < optarea::kKeys.size(); ++k)
        if (at == layout::kKeyTable + layout::key::Key(k) + layout::key::KeyNumber &&
            listed(OptionFieldText(lang, optarea::kKeys[k].number)))
            return true;
    return false;
}

bool Listed(const std::vector<ImageRepair>& list, const std::string& field, int row = 0) {
    return std::any_of(list.begin(), list.end(), [&](const ImageRepair& r) { return r.row == row && r.field == field; });
}

// The field a channel record's byte at off stores, named as the repairs name it; empty for the
// marks the encoder derives (slot mark, voltages).
std::string RecordByteField(size_t off, const DecodeContext& c, size_t rec, uint8_t flags) {
    namespace ch = layout::ch;
    auto holds = [&](size_t at, const std::array<uint8_t, ch::CodeSize>& marker) {
        return c.At(rec + at) == marker[0] && c.At(rec + at + 1) == marker[1];
    };
    if (off == ch::SlotMark || off == ch::TxVoltageByte || off == ch::RxVoltageByte) return "";
    if (off == ch::SignalFlags) return FieldText(c.d.Lang, DataField::ChannelFlags);
    if (off < ch::DecodeCode) return ColumnName(holds(ch::EncodeCode, ch::DcsEncodeMarker) ? ColDcsEnc : ColCtcssEnc);
    if (off < ch::EncodeDeviation) return ColumnName(holds(ch::DecodeCode, ch::DcsDecodeMarker) ? ColDcsDec : ColCtcssDec);
    if (off < ch::DevByte) return ColumnName((flags & ch::CtcssEncodeBit) ? ColCtDev : ColDcsEnc);
    if (off == ch::DevByte) return ColumnName(ColCtDev);
    if (off < ch::RxPllWord) return ColumnName(ColDcsDec);
    if (off < ch::TxPllWord) return ColumnName(ColRxFreq);
    if (off < ch::TxVoltageByte) return ColumnName(ColTxFreq);
    if (off == ch::PowerByte) return ColumnName(ColPower);
    if (off < ch::Name2) return ColumnName(ColName1);
    if (off < ch::SelCallNumber) return ColumnName(ColName2);
    if (off == ch::SelCallNumber) return ColumnName(ColSelCall);
    return FieldText(c.d.Lang, DataField::ChannelByte, {HexDigits(off, 2)});
}

int ColumnOfField(const std::string& field) {
    for (int column = ColNo + 1; column < kGridCols; ++column)
        if (field == ColumnName(column)) return column;
    return -1;
}

// Channel bytes the save writes otherwise, by row and field; the slots beyond the grid the
// options give, whose channels the save drops, one line each.
void ListChannelBytes(const DecodeContext& c, const ImageArray& saved, std::vector<ImageRepair>& list) {
    namespace ch = layout::ch;
    const auto& g = c.d.MFG;
    const LanguageTexts& lang = c.d.Lang;
    const int rows = g.Rows();
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        const size_t rec = layout::ChannelSlot(slot), flag = layout::ChannelFlag(slot);
        const bool kept = slot == layout::kSecondReceiverSlot || slot <= rows - 2;
        const int row = slot == layout::kSecondReceiverSlot ? rows - 1 : slot;
        const uint8_t flags = c.At(flag);
        // The high-tone bit of a row without an encode tone follows the rows above: a mark, no value.
        const bool toneRow = kept && ToDouble(g.TextMatrix(row, ColCtcssEnc)).has_value();
        auto differs = [&](size_t off) {
            const uint8_t mask = off == ch::SignalFlags && !toneRow ? static_cast<uint8_t>(~ch::HighToneBit) : 0xFF;
            return ((c.At(rec + off) ^ saved[rec + off]) & mask) != 0;
        };
        if (!kept) {
            bool data = c.At(flag) != saved[flag];
            for (size_t off = 0; !data && off < layout::kChannelRecordSize; ++off)
                data = differs(off) && !RecordByteField(off, c, rec, flags).empty();
            if (!data) continue;
            std::string was = DataText(lang, DataMsg::DroppedRecord);
            for (int column : {ColTxFreq, ColRxFreq})
                if (auto t = PllText(256 * c.At(rec + (column == ColTxFreq ? ch::TxPllWord : ch::RxPllWord) + 1) +
                                         c.At(rec + (column == ColTxFreq ? ch::TxPllWord : ch::RxPllWord)),
                                     column == ColTxFreq ? 0 : kRxWordOffset))
                    was += DataText(lang, column == ColTxFreq ? DataMsg::DroppedTx : DataMsg::DroppedRx, {*t});
            list.push_back({FieldText(lang, DataField::Channel), slot, was,
                            DataText(lang, DataMsg::Dropped, {IntText(rows - 2)})});
            continue;
        }
        std::map<std::string, std::string> bytes; // field, the image's bytes the save changes
        if (flags != saved[flag]) bytes[FieldText(lang, DataField::ChannelFlags)] = HexByte(flags);
        for (size_t off = 0; off < layout::kChannelRecordSize; ++off) {
            if (!differs(off)) continue;
            std::string field = RecordByteField(off, c, rec, flags);
            if (field.empty()) continue;
            std::string& b = bytes[field];
            b += (b.empty() ? "" : " ") + HexByte(c.At(rec + off));
        }
        for (const auto& [field, b] : bytes) {
            if (Listed(list, field, row)) continue;
            const int column = ColumnOfField(field);
            list.push_back({field, row,
                            DataText(lang, b.find(' ') == std::string::npos ? DataMsg::Byte : DataMsg::Bytes, {b}),
                            column >= 0 ? g.TextMatrix(row, column) : DataText(lang, DataMsg::AsSaved)});
        }
    }
}

// Area-name bytes the save writes otherwise, the tail that is never read among them.
void ListAreaNameBytes(const DecodeContext& c, const ImageArray& saved, std::vector<ImageRepair>& list) {
    for (int i = 1; i <= kMaxAreas; ++i) {
        const size_t slot = layout::kAreaNameTable + static_cast<size_t>(i - 1) * layout::kAreaNameSlot;
        const std::string field = FieldText(c.d.Lang, DataField::AreaName, {IntText(i)});
        if (Listed(list, field) || std::equal(saved.begin() + static_cast<std::ptrdiff_t>(slot),
                                              saved.begin() + static_cast<std::ptrdiff_t>(slot + layout::kAreaNameSlot),
                                              c.img.begin() + static_cast<std::ptrdiff_t>(slot)))
            continue;
        size_t used = layout::kAreaNameSlot; // the zeros after a name are the slot's filling
        while (used > 0 && c.img[slot + used - 1] == 0) --used;
        list.push_back({field, 0, MarkedName(&c.img[slot], used), c.d.AreaNames()[static_cast<size_t>(i)]});
    }
}

} // namespace

void ListSettingsBytes(const DecodeContext& c, bool withSuffix, std::vector<ImageRepair>& list) {
    // What the next save stores, from the default image as every save starts.
    const EncodeResult next = EncodeImage(c.d, c.t, withSuffix ? ImageSource::File : ImageSource::Radio);
    if (!next.ok()) return;
    const ImageArray& saved = next.image;
    struct Span {
        size_t from, to;
    };
    std::vector<Span> spans{{layout::kOptionArea, layout::kToneRecords},
                            {layout::kKeyTable, layout::kChannelFlagTable},
                            {layout::kToneSetByte, layout::kToneSetByte + 1},
                            {layout::kEmergencyTable, layout::kEmergencyTable + layout::kEmergencyTableSize}};
    // The suffix's tag is a mark every save adds, not a value.
    const size_t position = layout::kIdSuffix + layout::suffix::Position;
    if (withSuffix) spans.push_back({position, position + layout::suffix::PositionSize});
    auto changed = [&](size_t at) { return saved[at] != c.At(at); };
    auto add = [&](std::string field, size_t at) { list.push_back({std::move(field), 0, HexByte(c.At(at)), HexByte(saved[at])}); };
    const LanguageTexts& lang = c.d.Lang;
    for (const Span& s : spans)
        for (size_t at = s.from; at < s.to; ++at)
            if (changed(at) && !Explained(at, lang, list)) add(FieldText(lang, DataField::SettingsByte, {HexDigits(at, 4)}), at);
    // A 5-tone line's bytes that its texts do not give back (special-call bytes, codes of no
    // kind or tone set, bytes a kind the record now has does not keep), each byte once.
    for (int n = 1; n <= kToneLines; ++n) {
        const size_t rec = layout::ToneRecord(n);
        std::optional<bool> identListed;
        for (size_t k = 0; k < layout::kToneRecordSize; ++k) {
            if (!changed(rec + k)) continue;
            if (!identListed) identListed = Listed(list, ToneLinePartText(lang, n, DataField::LineIdent));
            if (*identListed && k >= layout::tone::Identification) continue;
            const std::string name = FieldText(lang, DataField::RecordByte, {ToneLineName(lang, n), HexDigits(k, 2)});
            if (!Listed(list, name)) add(name, rec + k);
        }
    }
    ListAreaNameBytes(c, saved, list);
    ListChannelBytes(c, saved, list);
}

std::string RepairListText(const std::vector<ImageRepair>& repairs, const std::string& heading,
                           const std::string& rowWord, size_t maxLines, const std::string& moreText) {
    std::string s = heading;
    size_t lines = 0;
    for (const auto& e : repairs) {
        if (++lines > maxLines) {
            s += "\n" + std::to_string(repairs.size() - maxLines) + " " + moreText;
            break;
        }
        s += "\n" + e.field;
        if (e.row > 0) s += " (" + rowWord + " " + std::to_string(e.row) + ")";
        s += ": \"" + e.was + "\" -> \"" + e.now + "\"";
    }
    return s;
}

} // namespace vt
