// Flag byte and signalling fields of each channel (tones, DCS, BCL, SCAN, 5-tone, ANI, CT DEV).
#include "editor/image/ToneLists.h"
#include "editor/codec/ChannelCodec.h"
#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/ImageLayout.h"

#include "common/TextUtil.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vt {

namespace {

bool Has(const std::string& s, char ch) { return s.find(ch) != std::string::npos; }
bool Blank(const std::string& s) { return Trim(s).empty(); }

struct Row {
    EncodeContext& c;
    int r;
    const std::string& Cell(int column) const { return c.d.MFG.TextMatrix(r, column); }
};

std::optional<int> CheckTone(Row& row, int column) {
    auto t = ToneTenths(row.Cell(column));
    if (!t)
        row.c.w.Fail(ColumnName(column), row.r,
                     std::string(ColumnName(column)) + RowWords(row.r) + ": \"" + row.Cell(column) +
                         "\" is not a tone from 67.0 to 259.1 Hz.");
    return t;
}

std::optional<int> CheckDcs(Row& row, int column) {
    int i = cv::DcsIndex(Trim(row.Cell(column)));
    if (i < 0) {
        row.c.w.Fail(ColumnName(column), row.r,
                     std::string(ColumnName(column)) + RowWords(row.r) + ": \"" + row.Cell(column) +
                         "\" is not a DCS code.");
        return std::nullopt;
    }
    return i;
}

// A DCS channel's deviation byte holds 21 values; any other CT DEV would come back changed.
void CheckDcsDeviation(Row& row) {
    const std::string& dev = row.Cell(ColCtDev);
    if (dev.empty()) return; // stored as the byte of a blank text, which reads back as 300
    auto v = ToDouble(dev);
    auto kept = cv::CtDevFromDevByte(cv::DevByteFromCtDev(dev));
    if (v && kept && *v == *kept) return;
    std::string values;
    for (int b = 0; b < 256; ++b)
        if (auto k = cv::CtDevFromDevByte(static_cast<uint8_t>(b))) values += (values.empty() ? "" : ", ") + IntText(*k);
    row.c.w.Fail(ColumnName(ColCtDev), row.r,
                 std::string(ColumnName(ColCtDev)) + RowWords(row.r) + ": \"" + dev +
                     "\" is not a deviation a DCS channel holds (" + values + ").");
}

void CopyDcs(EncodeContext& c, size_t at, int index) {
    for (size_t k = 0; k < 3; ++k) c.w.Set(at + k, c.t.Conv->DcsTbl[3 * static_cast<size_t>(index) + k]);
}

uint8_t FlagByte(const Row& row) {
    int hi = (Has(row.Cell(ColScan), 'T') || Has(row.Cell(ColScan), 'A')) ? 4 : 0;
    if (row.Cell(ColBcl) == "YES") hi += 2;
    if (!Blank(row.Cell(ColDcsEnc))) hi += 1;
    int lo = Blank(row.Cell(ColDcsDec)) ? 0 : 8;
    if (!Blank(row.Cell(ColCtcssEnc))) lo += 4;
    if (!Blank(row.Cell(ColCtcssDec))) lo += 2;
    if (Has(row.Cell(ColScan), 'S')) lo += 1;
    return static_cast<uint8_t>(16 * hi + lo);
}

} // namespace

std::optional<int> ToneTenths(const std::string& text) {
    auto f = ToDouble(text);
    if (!f) return std::nullopt;
    auto t = static_cast<long long>(RoundHalfEven(*f * 10.0));
    if (t < kCtcssFirstTenths || t > kCtcssLastTenths) return std::nullopt;
    return static_cast<int>(t);
}

void EncodeChannelFlags(EncodeContext& c) {
    const int rows = c.d.MFG.Rows();
    for (int r = 1; r < rows; ++r)
        if (int slot = SlotOfRow(rows, r)) c.w.Set(layout::ChannelFlag(slot), FlagByte(Row{c, r}));
}

void EncodeSignalling(EncodeContext& c, int r, size_t rec, int& high) {
    Row row{c, r};
    const std::string& five = row.Cell(ColFiveTone);
    const std::string& ani = row.Cell(ColAni);
    int lo = (Has(five, 'A') ? 8 : 0) + (Has(ani, 'O') ? 4 : 0) + (Has(ani, 'T') ? 2 : 0) + (Has(ani, 'L') ? 1 : 0);
    int hi = (Has(five, 'M') ? 8 : 0) + (Has(five, 'P') ? 4 : 0);
    // Rows without a numeric CTCSS ENC repeat the high-tone bit of the nearest tone row above.
    if (auto f = ToDouble(row.Cell(ColCtcssEnc))) high = *f >= 150.0 ? 1 : 0;
    hi += 2 * high;
    c.w.Set(rec + layout::ch::SignalFlags, static_cast<uint8_t>(16 * hi + lo));

    const auto& t = *c.t.Conv;
    if (!Blank(row.Cell(ColCtcssEnc))) {
        if (auto tone = CheckTone(row, ColCtcssEnc)) {
            size_t b = 2 * static_cast<size_t>(*tone - kCtcssFirstTenths);
            c.w.Set(rec + 2, t.EncTbl[b]);
            c.w.Set(rec + 3, t.EncTbl[b + 1]);
            const std::string& dev = row.Cell(ColCtDev);
            int ti = cv::CtcssToneIndex(row.Cell(ColCtcssEnc)), di = IsNumeric(dev) ? cv::CtDevIndex(dev) : -1;
            if (!dev.empty() && ti >= 0 && di >= 0)
                for (size_t k = 0; k < 3; ++k)
                    c.w.Set(rec + 6 + k, t.DevTbl[153 * static_cast<size_t>(di) + 3 * static_cast<size_t>(ti) + k]);
            else if (!dev.empty() && di < 0)
                // Left unwritten, the radio would keep the default image's deviation.
                c.w.Fail(ColumnName(ColCtDev), row.r,
                         std::string(ColumnName(ColCtDev)) + RowWords(row.r) + ": \"" + dev +
                             "\" is not a deviation from 100 to 500.");
        }
    } else if (!Blank(row.Cell(ColDcsEnc))) {
        if (auto i = CheckDcs(row, ColDcsEnc)) {
            c.w.Set(rec + 2, 0xF8);
            c.w.Set(rec + 3, 0xE2);
            CopyDcs(c, rec + 6, *i);
            CheckDcsDeviation(row);
            c.w.Set(rec + 9, cv::DevByteFromCtDev(row.Cell(ColCtDev)));
        }
    }
    if (!Blank(row.Cell(ColCtcssDec))) {
        if (auto tone = CheckTone(row, ColCtcssDec)) {
            size_t b = 2 * static_cast<size_t>(*tone - kCtcssFirstTenths);
            c.w.Set(rec + 4, t.DecTbl[b]);
            c.w.Set(rec + 5, t.DecTbl[b + 1]);
        }
    }
    // The DCS decode bytes are written whatever the CTCSS decode holds; the marker only without it.
    if (!Blank(row.Cell(ColDcsDec))) {
        if (auto i = CheckDcs(row, ColDcsDec)) {
            if (Blank(row.Cell(ColCtcssDec))) {
                c.w.Set(rec + 4, 0xEA);
                c.w.Set(rec + 5, 0xFE);
            }
            CopyDcs(c, rec + 0x0A, *i);
        }
    }
}

// ---- decoding ----

namespace {

uint8_t FlagOf(const DecodeContext& c, int slot) { return c.At(layout::ChannelFlag(slot)); }
uint8_t SignalOf(const DecodeContext& c, int slot) { return c.At(layout::ChannelSlot(slot) + layout::ch::SignalFlags); }

// Where each code word first stands in a CTCSS table (and, for the decode table, where else),
// built once per decode instead of searching 1,922 words for every slot.
struct WordIndex {
    static constexpr int kNone = -1;
    std::vector<int16_t> lowFirst, highFirst, first, last;
    static int Key(const std::array<uint8_t, kEncTblSize>& tbl, int k) {
        return 256 * tbl[2 * static_cast<size_t>(k)] + tbl[2 * static_cast<size_t>(k) + 1];
    }
    void BuildHalves(const std::array<uint8_t, kEncTblSize>& tbl) {
        lowFirst.assign(65536, kNone);
        highFirst.assign(65536, kNone);
        for (int k = kCtcssWordCount - 1; k >= 0; --k) (k < 830 ? lowFirst : highFirst)[static_cast<size_t>(Key(tbl, k))] = static_cast<int16_t>(k);
    }
    void BuildFirstLast(const std::array<uint8_t, kDecTblSize>& tbl) {
        first.assign(65536, kNone);
        last.assign(65536, kNone);
        for (int k = kCtcssWordCount - 1; k >= 0; --k) first[static_cast<size_t>(Key(tbl, k))] = static_cast<int16_t>(k);
        for (int k = 0; k < kCtcssWordCount; ++k) last[static_cast<size_t>(Key(tbl, k))] = static_cast<int16_t>(k);
    }
};

// The tone of word k, snapped onto a list tone nearby only where `key` is that tone's own word
// too: a custom tone 0.1 Hz beside a list tone has a word of its own and comes back as stored.
std::string ToneText(int k, bool snap, const std::array<uint8_t, kEncTblSize>& tbl, size_t key) {
    double f = (kCtcssFirstTenths + k) / 10.0;
    if (snap)
        if (auto s = cv::SnapToneToList(f)) {
            const auto listK = static_cast<int>(std::lround(*s * 10.0)) - kCtcssFirstTenths;
            if (WordIndex::Key(tbl, listK) == static_cast<int>(key)) f = *s;
        }
    return FormatFixed(f, 1);
}

std::string DecodeCtcssEnc(const DecodeContext& c, const WordIndex& ix, int slot) {
    size_t rec = layout::ChannelSlot(slot);
    size_t key = 256u * c.At(rec + 2) + c.At(rec + 3);
    // A match at index 0 counts as none, as a first match at 0 always has.
    int low = std::max(0, static_cast<int>(ix.lowFirst[key]));
    int high = std::max(0, static_cast<int>(ix.highFirst[key]));
    int k = (SignalOf(c, slot) & 0x20) && high ? high : low;
    return ToneText(k, high != 0, c.t.Conv->EncTbl, key);
}

// The first match, and a second one when the word stands more than once (a match at 0 is
// taken over by the next one).
std::string DecodeCtcssDec(const DecodeContext& c, const WordIndex& ix, int slot) {
    size_t rec = layout::ChannelSlot(slot);
    size_t key = 256u * c.At(rec + 4) + c.At(rec + 5);
    int first = 0, second = 0;
    if (ix.first[key] != WordIndex::kNone) {
        const auto& tbl = c.t.Conv->DecTbl;
        for (int k = ix.first[key]; k <= ix.last[key]; ++k)
            if (WordIndex::Key(tbl, k) == static_cast<int>(key)) (first == 0 ? first : second) = k;
    }
    return ToneText(first, second != 0, c.t.Conv->DecTbl, key);
}

std::string DecodeDcs(const DecodeContext& c, size_t at) {
    const auto& tbl = c.t.Conv->DcsTbl;
    std::string text;
    for (size_t j = 0; j < kDcsCodeCount; ++j)
        if (tbl[3 * j] == c.At(at) && tbl[3 * j + 1] == c.At(at + 1) && tbl[3 * j + 2] == c.At(at + 2))
            text = std::string(kDcsCodes[j]);
    return text;
}

// The CT DEV step whose deviation entry for the decoded tone matches the slot's bytes.
std::optional<std::string> DecodeCtDev(const DecodeContext& c, int slot, const std::string& tone) {
    int t = cv::CtcssToneIndex(tone);
    if (t < 0) return std::nullopt;
    size_t rec = layout::ChannelSlot(slot) + layout::ch::EncodeDeviation;
    // Steps that share an entry store the same bytes: the first of them keeps them.
    for (int d = 0; d < kCtDevStepCount; ++d) {
        size_t e = 153 * static_cast<size_t>(d) + 3 * static_cast<size_t>(t);
        const auto& tbl = c.t.Conv->DevTbl;
        if (tbl[e] == c.At(rec) && tbl[e + 1] == c.At(rec + 1) && tbl[e + 2] == c.At(rec + 2))
            return IntText(kCtDevSteps[static_cast<size_t>(d)]);
    }
    return std::nullopt;
}

// The CT DEV of a DCS channel from its deviation byte: every byte the encoder writes.
std::optional<std::string> DecodeDcsCtDev(const DecodeContext& c, int slot) {
    if (auto dev = cv::CtDevFromDevByte(c.At(layout::ChannelSlot(slot) + layout::ch::DevByte))) return IntText(*dev);
    return std::nullopt;
}

} // namespace

void DecodeSignalFlagColumns(DecodeContext& c) {
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        uint8_t s = SignalOf(c, slot);
        std::string ani = c.SlotText(slot, ColAni);
        if (s & 0x01) ani = "L";
        else if (s & 0x02) ani = "T";
        if (s & 0x04) ani += "O";
        c.SetSlotText(slot, ColAni, ani);
    }
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        uint8_t s = SignalOf(c, slot);
        std::string five = c.SlotText(slot, ColFiveTone);
        if (s & 0x08) five = "A";
        if (s & 0x40) five += "P";
        if (s & 0x80) five += "M";
        c.SetSlotText(slot, ColFiveTone, five);
    }
}

void DecodeToneColumns(DecodeContext& c) {
    WordIndex enc, dec;
    enc.BuildHalves(c.t.Conv->EncTbl);
    dec.BuildFirstLast(c.t.Conv->DecTbl);
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        const uint8_t f = FlagOf(c, slot);
        const size_t rec = layout::ChannelSlot(slot);
        if (f & 0x04) {
            std::string tone = DecodeCtcssEnc(c, enc, slot);
            c.SetSlotText(slot, ColCtcssEnc, tone);
            if (auto dev = DecodeCtDev(c, slot, tone)) c.SetSlotText(slot, ColCtDev, *dev);
        }
        if (f & 0x02) c.SetSlotText(slot, ColCtcssDec, DecodeCtcssDec(c, dec, slot));
        if (f & 0x10) {
            std::string code = DecodeDcs(c, rec + layout::ch::EncodeDeviation);
            c.SetSlotText(slot, ColDcsEnc, code);
            // With a CTCSS tone as well the record holds the tone's deviation, read above; a code
            // the editor cannot show is not encoded again, and neither is its deviation.
            if (!(f & 0x04) && !code.empty())
                if (auto dev = DecodeDcsCtDev(c, slot)) c.SetSlotText(slot, ColCtDev, *dev);
        }
        if (f & 0x08) c.SetSlotText(slot, ColDcsDec, DecodeDcs(c, rec + layout::ch::DcsDecodeBytes));
    }
}

void DecodeFlagColumns(DecodeContext& c) {
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot)
        if (FlagOf(c, slot) & 0x20) c.SetSlotText(slot, ColBcl, "YES");
    int areas = 1, per = kMaxChannels;
    if (auto a = ToWhole(c.f.OptionFields[0])) areas = static_cast<int>(std::clamp<long long>(*a, 1, kMaxAreas));
    if (auto n = ToWhole(c.f.OptionFields[1])) per = static_cast<int>(std::clamp<long long>(*n, 1, kMaxChannels));
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        uint8_t f = FlagOf(c, slot);
        std::string scan = c.SlotText(slot, ColScan);
        if (f & 0x40) scan = "T";
        if (f & 0x01) scan += "S";
        c.SetSlotText(slot, ColScan, scan);
    }
    // Each area's priority channel; a number beyond its area names no channel.
    for (int a = 1; a <= areas; ++a) {
        int p = c.At(layout::opt::PriorityChannel(a));
        if (p == 0 || p > per) continue;
        int row = (a - 1) * per + p;
        c.d.SetCell(row, ColScan, c.d.MFG.TextMatrix(row, ColScan) + "P", RecordWrite::Quiet);
    }
}

} // namespace vt
