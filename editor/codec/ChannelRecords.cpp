// Channel slots: frequencies, voltages, power, names and Sel Call, and the grid rebuilt from them.
#include "editor/codec/ChannelCodec.h"
#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageLayout.h"

#include "common/TextUtil.h"
#include "editor/dataset/DataTexts.h"
#include "editor/dataset/GridRules.h"
#include "editor/image/FreqWords.h"
#include "editor/image/SettingsFieldNames.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vt {

namespace {

struct Row {
    EncodeContext& c;
    int r;
    size_t rec;
    bool last;
    const std::string& Cell(int column) const { return c.d.MFG.TextMatrix(r, column); }
    void Fail(int column, DataMsg msg, std::string_view extra = {}) {
        c.w.FailText(msg, ColumnName(column), r, Cell(column), extra);
    }
};

void PutWord(Row& row, size_t off, const cv::Word& w) {
    row.c.w.Set(row.rec + off, w[1]); // low byte first
    row.c.w.Set(row.rec + off + 1, w[0]);
}

void EncodeFrequencies(Row& row) {
    const std::string& rx = row.Cell(ColRxFreq);
    if (row.last) {
        // The second receiver's Rx word is the one the option area holds.
        if (!Trim(rx).empty()) {
            row.c.w.Set(row.rec + layout::ch::RxPllWord, row.c.w.At(layout::opt::SecondRxWordLow));
            row.c.w.Set(row.rec + layout::ch::RxPllWord + 1, row.c.w.At(layout::opt::SecondRxWordHigh));
        }
    } else if (!Trim(rx).empty()) {
        if (auto w = cv::FreqToPllIf(rx)) PutWord(row, layout::ch::RxPllWord, *w);
        else row.Fail(ColRxFreq, DataMsg::NoRxWord);
    }
    const std::string& tx = row.Cell(ColTxFreq);
    if (!Trim(tx).empty()) {
        if (auto w = cv::FreqToPll(tx)) PutWord(row, layout::ch::TxPllWord, *w);
        else row.Fail(ColTxFreq, DataMsg::NoTxWord);
    }
}

void EncodeVoltages(Row& row) {
    const int band = row.c.d.BandIndex;
    auto arg = [](const std::string& cell) {
        std::string t = Trim(cell);
        return !t.empty() && IsNumeric(t) ? t : std::string("NULL");
    };
    row.c.w.Set(row.rec + layout::ch::TxVoltageByte,
                cv::VoltageByteB(row.c.t.Voltage, band, arg(row.Cell(ColTxFreq))));
    row.c.w.Set(row.rec + layout::ch::RxVoltageByte,
                cv::VoltageByteA(row.c.t.Voltage, band, arg(row.Cell(ColRxFreq))));
}

void EncodePower(Row& row) {
    const std::string& p = row.Cell(ColPower);
    if (p.empty() || !IsNumeric(p)) return;
    auto level = ToWhole(p);
    std::optional<uint8_t> b;
    if (level && *level >= 1 && *level <= kPowerLevels)
        b = cv::PowerByteFromIndex(*row.c.t.Conv, row.c.d.BandIndex, static_cast<int>(*level));
    if (b)
        row.c.w.Set(row.rec + layout::ch::PowerByte, *b);
    else
        row.Fail(ColPower, DataMsg::NotPower, IntText(kPowerLevels));
}

// Names are padded with spaces to their field, so that no part of the default image's name shows
// behind a shorter one; an empty second line is stored as zeros, which read back as none.
void PutName(Row& row, size_t off, int column, size_t width) {
    const std::string& name = row.Cell(column);
    const uint8_t fill = column == ColName2 && name.empty() ? 0 : ' ';
    for (size_t k = 0; k < width; ++k) row.c.w.Set(row.rec + off + k, fill);
    row.c.w.PutText(row.rec + off, name, width, ColumnName(column), row.r);
}

void EncodeNamesAndSelCall(Row& row) {
    PutName(row, layout::ch::Name1, ColName1, layout::ch::Name1Size);
    PutName(row, layout::ch::Name2, ColName2, layout::ch::Name2Size);
    std::string sel = Trim(row.Cell(ColSelCall));
    if (!sel.empty() && IsNumeric(sel))
        if (auto v = row.c.w.IntIn(sel, 1, kToneLines, ColumnName(ColSelCall), row.r))
            row.c.w.Set(row.rec + layout::ch::SelCallNumber, static_cast<uint8_t>(*v));
}

int WordOf(const DecodeContext& c, size_t at) { return 256 * c.At(at + 1) + c.At(at); }

} // namespace

const char* ColumnName(int column) {
    return column >= 0 && column < kGridCols ? GridHeaders()[static_cast<size_t>(column)].c_str() : "";
}

int SlotOfRow(int rows, int r) {
    if (r == rows - 1) return layout::kSecondReceiverSlot;
    if (r >= 1 && r <= layout::kChannelSlots && r < rows - 1) return r;
    return 0;
}

void EncodeChannelRecords(EncodeContext& c) {
    c.f.ScanUsedRows(c.d.MFG);
    const int rows = c.d.MFG.Rows();
    int high = 0;
    for (int r = 1; r < rows; ++r) {
        int slot = SlotOfRow(rows, r);
        if (slot == 0) {
            // Slot 201 belongs to the second receiver: a 201st channel (the MARNET row of one area
            // of 200) has nowhere to go. It is left out and the user told; the rest is stored.
            if (!Trim(c.d.MFG.TextMatrix(r, ColTxFreq)).empty() ||
                !Trim(c.d.MFG.TextMatrix(r, ColRxFreq)).empty())
                c.w.Warn(FieldText(c.d.Lang, DataField::Channel), r,
                         DataText(c.d.Lang, DataMsg::RowNotStored, {IntText(r)}));
            continue;
        }
        Row row{c, r, layout::ChannelSlot(slot), slot == layout::kSecondReceiverSlot};
        // Priority channels are kept per area: a row of none (the extra MARNET row) loses its "P".
        if (!row.last && r > c.f.AreaCount() * c.f.ChannelsPerArea() &&
            row.Cell(ColScan).find('P') != std::string::npos)
            c.w.Warn(ColumnName(ColScan), r, DataText(c.d.Lang, DataMsg::PriorityNotStored, {IntText(r)}));
        if (!row.last && c.f.RowBeforeLastUsed(r))
            c.w.Set(row.rec + layout::ch::SlotMark, layout::ch::SlotMarked);
        EncodeSignalling(c, r, row.rec, high);
        EncodeFrequencies(row);
        EncodeVoltages(row);
        EncodePower(row);
        EncodeNamesAndSelCall(row);
    }
}

void DecodeFrequencyColumns(DecodeContext& c) {
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        size_t rec = layout::ChannelSlot(slot);
        if (auto t = PllText(WordOf(c, rec + layout::ch::TxPllWord), 0)) c.SetSlotText(slot, ColTxFreq, *t);
    }
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        size_t rec = layout::ChannelSlot(slot);
        int w = WordOf(c, rec + layout::ch::RxPllWord);
        if (slot == layout::kSecondReceiverSlot) {
            // Written from the option area's second-receiver word, so read with its arithmetic.
            c.SetSlotText(slot, ColRxFreq, SecondReceiverRxText(w));
        } else if (auto t = PllText(w, kRxWordOffset)) {
            c.SetSlotText(slot, ColRxFreq, *t);
        }
    }
}

std::optional<PowerBand> BandFromPowerBytes(const DecodeContext& c) {
    for (int r = 1; r <= layout::kChannelSlots; ++r)
        for (int column : {ColTxFreq, ColRxFreq})
            if (ToDouble(c.d.MFG.TextMatrix(r, column))) return std::nullopt;
    const int areas = static_cast<int>(ToWhole(c.f.OptionFields[kOptNumberArea]).value_or(1));
    const int per = static_cast<int>(ToWhole(c.f.OptionFields[kOptChInArea]).value_or(kMaxChannels));
    std::vector<int> slots;
    for (int s = 1; s <= std::min(areas * per, layout::kChannelSlots); ++s) slots.push_back(s);
    slots.push_back(layout::kSecondReceiverSlot);
    // The level of each slot's byte in each band's table, 0 where that table lacks it.
    std::array<std::vector<int>, kBandCount> levels;
    for (int band = 0; band < kBandCount; ++band)
        for (int s : slots) {
            const uint8_t b = c.At(layout::ChannelSlot(s) + layout::ch::PowerByte);
            int found = 0;
            for (int level = 1; level <= kPowerLevels && found == 0; ++level)
                if (cv::PowerByteFromIndex(*c.t.Conv, band, level) == b) found = level;
            levels[static_cast<size_t>(band)].push_back(found);
        }
    // The band whose table holds the most of them. On a tie, the band whose voltage bytes for a
    // row without frequencies the slots hold (they tell bands 6 and 7 from 2 and 3), then the
    // lowest (bands 0 to 3 are the ones a user picks; 4 and 5 give the bytes of 0 and 1).
    int best = -1, bestCount = 0, bestVoltages = 0;
    std::array<int, kBandCount> counts{};
    for (int band = 0; band < kBandCount; ++band) {
        const uint8_t tx = cv::VoltageByteB(c.t.Voltage, band, "NULL");
        const uint8_t rx = cv::VoltageByteA(c.t.Voltage, band, "NULL");
        int count = 0, voltages = 0;
        for (size_t k = 0; k < slots.size(); ++k) {
            const size_t rec = layout::ChannelSlot(slots[k]);
            if (levels[static_cast<size_t>(band)][k] != 0) ++count;
            if (c.At(rec + layout::ch::TxVoltageByte) == tx && c.At(rec + layout::ch::RxVoltageByte) == rx)
                ++voltages;
        }
        counts[static_cast<size_t>(band)] = count;
        if (count > bestCount || (count == bestCount && count > 0 && voltages > bestVoltages)) {
            best = band;
            bestCount = count;
            bestVoltages = voltages;
        }
    }
    if (best < 0) return std::nullopt;
    // Clear when the band's table holds every byte (one it lacks is damage, listed on its own)
    // and no other band that holds as many reads a level otherwise; else each level read may be
    // another than the one stored (tables of another installation). A band a user picks wins
    // over the bands only frequencies give, whose tables repeat them a level apart.
    PowerBand out{best, bestCount, static_cast<int>(slots.size()), {}};
    const auto& mine = levels[static_cast<size_t>(best)];
    const int rivals = best < kPickableBands ? kPickableBands : kBandCount;
    for (size_t k = 0; k < slots.size(); ++k) {
        bool doubt = out.slots - bestCount > 1;
        for (int band = 0; band < rivals && !doubt; ++band)
            doubt = counts[static_cast<size_t>(band)] == bestCount && levels[static_cast<size_t>(band)][k] != mine[k];
        if (doubt) out.doubtful.push_back(slots[k]);
    }
    return out;
}

void DecodeNameColumns(DecodeContext& c) {
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        size_t rec = layout::ChannelSlot(slot);
        if (slot == layout::kSecondReceiverSlot) {
            c.d.SetCell(slot, ColName1, std::string(), RecordWrite::Quiet);
            c.d.SetCell(slot, ColName2, std::string(), RecordWrite::Quiet);
        }
        c.SetSlotText(slot, ColName1, NameText(&c.img[rec + layout::ch::Name1], layout::ch::Name1Size));
        c.SetSlotText(slot, ColName2, c.At(rec + layout::ch::Name2) == 0
                                            ? std::string()
                                            : NameText(&c.img[rec + layout::ch::Name2], layout::ch::Name2Size));
        if (uint8_t sel = c.At(rec + layout::ch::SelCallNumber)) c.SetSlotText(slot, ColSelCall, IntText(sel));
        c.SetSlotText(slot, ColPower,
                      IntText(cv::PowerIndexFromByte(*c.t.Conv, c.d.BandIndex, c.At(rec + layout::ch::PowerByte))));
    }
}

namespace {
// Rows of the finished grid: the channels, one more for MARNET with one area, and row 201.
int GridRows(const DecodeContext& c) {
    const int areas = static_cast<int>(ToWhole(c.f.OptionFields[kOptNumberArea]).value_or(1));
    const int per = static_cast<int>(ToWhole(c.f.OptionFields[kOptChInArea]).value_or(kMaxChannels));
    int rows = areas * per + 2;
    if (c.f.FarmFields[kMarnetOn] != "0" && areas == 1) ++rows;
    return rows;
}
} // namespace

void ClearFrequenciesBeyondTheGrid(DecodeContext& c) {
    const int lastKept = GridRows(c) - 2;
    for (int slot = std::max(lastKept + 1, 1); slot < layout::kSecondReceiverSlot; ++slot)
        for (int column : {ColTxFreq, ColRxFreq}) c.SetSlotText(slot, column, std::string());
}

void FinishGrid(DecodeContext& c) {
    const int rows = GridRows(c);
    {
        GridBatch batch(c.d);
        c.d.SetGridRows(rows, RecordWrite::Quiet);
        const int last = rows - 1;
        c.d.SetCell(last, ColNo, "201", RecordWrite::Quiet);
        for (int column = ColNo + 1; column < kGridCols; ++column)
            c.d.SetCell(last, column, c.kept[static_cast<size_t>(column)], RecordWrite::Quiet);
    }
    NoteGridShape(c.d);
    UpdateScan(c.d);
    UpdateAreaNo(c.d);
}

} // namespace vt
