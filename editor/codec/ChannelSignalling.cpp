// Flag byte and signalling fields of each channel (tones, DCS, BCL, SCAN, 5-tone, ANI, CT DEV).
#include "editor/image/ToneLists.h"
#include "editor/codec/ChannelCodec.h"
#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/ImageLayout.h"

#include "common/TextUtil.h"
#include "editor/image/SettingsFieldNames.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vt {

namespace ch = layout::ch;
// The record's tone fields hold the tables' words and entries as they stand.
static_assert(ch::CodeSize == kCtcssWordSize && ch::EntrySize == kToneEntrySize);

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
        row.c.w.FailText(DataMsg::NotTone, ColumnName(column), row.r, row.Cell(column));
    return t;
}

std::optional<int> CheckDcs(Row& row, int column) {
    int i = cv::DcsIndex(Trim(row.Cell(column)));
    if (i < 0) {
        row.c.w.FailText(DataMsg::NotDcs, ColumnName(column), row.r, row.Cell(column));
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
    row.c.w.FailText(DataMsg::NotDcsDeviation, ColumnName(ColCtDev), row.r, dev, values);
}

void CopyDcs(EncodeContext& c, size_t at, int index) {
    for (size_t k = 0; k < ch::EntrySize; ++k)
        c.w.Set(at + k, c.t.Conv->DcsTbl[DcsEntryAt(index) + k]);
}

uint8_t FlagByte(const Row& row) {
    unsigned f = (Has(row.Cell(ColScan), 'T') || Has(row.Cell(ColScan), 'A')) ? ch::TrunkBit : 0;
    if (row.Cell(ColBcl) == "YES") f |= ch::BclBit;
    if (!Blank(row.Cell(ColDcsEnc))) f |= ch::DcsEncodeBit;
    if (!Blank(row.Cell(ColDcsDec))) f |= ch::DcsDecodeBit;
    if (!Blank(row.Cell(ColCtcssEnc))) f |= ch::CtcssEncodeBit;
    if (!Blank(row.Cell(ColCtcssDec))) f |= ch::CtcssDecodeBit;
    if (Has(row.Cell(ColScan), 'S')) f |= ch::ScanBit;
    return static_cast<uint8_t>(f);
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
    unsigned s = (Has(five, 'M') ? ch::FiveToneMBit : 0) | (Has(five, 'P') ? ch::FiveTonePBit : 0) |
                 (Has(five, 'A') ? ch::FiveToneABit : 0) | (Has(ani, 'O') ? ch::AniOBit : 0) |
                 (Has(ani, 'T') ? ch::AniTBit : 0) | (Has(ani, 'L') ? ch::AniLBit : 0);
    // Rows without a numeric CTCSS ENC repeat the high-tone bit of the nearest tone row above.
    if (auto f = ToDouble(row.Cell(ColCtcssEnc))) high = *f >= ch::HighToneTenths / 10.0 ? 1 : 0;
    if (high) s |= ch::HighToneBit;
    c.w.Set(rec + ch::SignalFlags, static_cast<uint8_t>(s));

    const auto& t = *c.t.Conv;
    if (!Blank(row.Cell(ColCtcssEnc))) {
        if (auto tone = CheckTone(row, ColCtcssEnc)) {
            size_t b = CtcssWordAt(*tone - kCtcssFirstTenths);
            for (size_t k = 0; k < ch::CodeSize; ++k)
                c.w.Set(rec + ch::EncodeCode + k, t.EncTbl[b + k]);
            const std::string& dev = row.Cell(ColCtDev);
            int ti = cv::CtcssToneIndex(row.Cell(ColCtcssEnc)), di = IsNumeric(dev) ? cv::CtDevIndex(dev) : -1;
            if (!dev.empty() && ti >= 0 && di >= 0)
                for (size_t k = 0; k < ch::EntrySize; ++k)
                    c.w.Set(rec + ch::EncodeDeviation + k, t.DevTbl[DevEntryAt(di, ti) + k]);
            else if (!dev.empty() && di < 0)
                // Left unwritten, the radio would keep the default image's deviation.
                c.w.FailText(DataMsg::NotDeviation, ColumnName(ColCtDev), row.r, dev);
        }
    } else if (!Blank(row.Cell(ColDcsEnc))) {
        if (auto i = CheckDcs(row, ColDcsEnc)) {
            for (size_t k = 0; k < ch::CodeSize; ++k)
                c.w.Set(rec + ch::EncodeCode + k, ch::DcsEncodeMarker[k]);
            CopyDcs(c, rec + ch::EncodeDeviation, *i);
            CheckDcsDeviation(row);
            c.w.Set(rec + ch::DevByte, cv::DevByteFromCtDev(row.Cell(ColCtDev)));
        }
    }
    if (!Blank(row.Cell(ColCtcssDec))) {
        if (auto tone = CheckTone(row, ColCtcssDec)) {
            size_t b = CtcssWordAt(*tone - kCtcssFirstTenths);
            for (size_t k = 0; k < ch::CodeSize; ++k)
                c.w.Set(rec + ch::DecodeCode + k, t.DecTbl[b + k]);
        }
    }
    // The DCS decode bytes are written whatever the CTCSS decode holds; the marker only without it.
    if (!Blank(row.Cell(ColDcsDec))) {
        if (auto i = CheckDcs(row, ColDcsDec)) {
            if (Blank(row.Cell(ColCtcssDec)))
                for (size_t k = 0; k < ch::CodeSize; ++k)
                    c.w.Set(rec + ch::DecodeCode + k, ch::DcsDecodeMarker[k]);
            CopyDcs(c, rec + ch::DcsDecodeBytes, *i);
        }
    }
}

// ---- decoding ----

namespace {

uint8_t FlagOf(const DecodeContext& c, int slot) { return c.At(layout::ChannelFlag(slot)); }
uint8_t SignalOf(const DecodeContext& c, int slot) {
    return c.At(layout::ChannelSlot(slot) + ch::SignalFlags);
}

// Where each code word first stands in a CTCSS table (and, for the decode table, where else),
// built once per decode instead of searching 1,922 words for every slot.
struct WordIndex {
    static constexpr int kNone = -1;
    std::vector<int16_t> lowFirst, highFirst, first, last;
    static int Key(const std::array<uint8_t, kEncTblSize>& tbl, int k) {
        return 256 * tbl[CtcssWordAt(k)] + tbl[CtcssWordAt(k) + 1];
    }
    void BuildHalves(const std::array<uint8_t, kEncTblSize>& tbl) {
        constexpr int kFirstHigh = ch::HighToneTenths - kCtcssFirstTenths;
        lowFirst.assign(65536, kNone);
        highFirst.assign(65536, kNone);
        for (int k = kCtcssWordCount - 1; k >= 0; --k)
            (k < kFirstHigh ? lowFirst : highFirst)[static_cast<size_t>(Key(tbl, k))] =
                static_cast<int16_t>(k);
    }
    void BuildFirstLast(const std::array<uint8_t, kDecTblSize>& tbl) {
        first.assign(65536, kNone);
        last.assign(65536, kNone);
        for (int k = kCtcssWordCount - 1; k >= 0; --k) first[static_cast<size_t>(Key(tbl, k))] = static_cast<int16_t>(k);
        for (int k = 0; k < kCtcssWordCount; ++k) last[static_cast<size_t>(Key(tbl, k))] = static_cast<int16_t>(k);
    }
};

// The list tone among the neighbours that share word k in its tone range, else k. A coarser
// tone generator than one word per 0.1 Hz gives several tones one word: the radio cannot tell
// them apart, and the list tone is the one the editor wrote (another installation's tables
// would store the neighbour's own word).
int ListToneOfRun(int k, const std::array<uint8_t, kEncTblSize>& tbl, size_t key) {
    if (WordIndex::Key(tbl, k) != static_cast<int>(key)) return k;
    constexpr int kFirstHigh = kCtcssHighFirstTenths - kCtcssFirstTenths;
    const int from = k < kFirstHigh ? 0 : kFirstHigh, to = k < kFirstHigh ? kFirstHigh : kCtcssWordCount;
    int first = k;
    while (first > from && WordIndex::Key(tbl, first - 1) == static_cast<int>(key)) --first;
    for (int j = first; j < to && WordIndex::Key(tbl, j) == static_cast<int>(key); ++j)
        if (std::find(kStandardToneTenths.begin(), kStandardToneTenths.end(), kCtcssFirstTenths + j) !=
            kStandardToneTenths.end())
            return j;
    return k;
}

// The tone of word k, snapped onto a list tone nearby only where `key` is that tone's own word
// too: a custom tone 0.1 Hz beside a list tone has a word of its own and comes back as stored.
std::string ToneText(int k, bool snap, const std::array<uint8_t, kEncTblSize>& tbl, size_t key) {
    k = ListToneOfRun(k, tbl, key);
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
    size_t key = 256u * c.At(rec + ch::EncodeCode) + c.At(rec + ch::EncodeCode + 1);
    // A match at index 0 counts as none, as a first match at 0 always has.
    int low = std::max(0, static_cast<int>(ix.lowFirst[key]));
    int high = std::max(0, static_cast<int>(ix.highFirst[key]));
    int k = (SignalOf(c, slot) & ch::HighToneBit) && high ? high : low;
    return ToneText(k, high != 0, c.t.Conv->EncTbl, key);
}

// The first match, and a second one when the word stands more than once (a match at 0 is
// taken over by the next one).
std::string DecodeCtcssDec(const DecodeContext& c, const WordIndex& ix, int slot) {
    size_t rec = layout::ChannelSlot(slot);
    size_t key = 256u * c.At(rec + ch::DecodeCode) + c.At(rec + ch::DecodeCode + 1);
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
    for (int j = 0; j < kDcsCodeCount; ++j) {
        const size_t e = DcsEntryAt(j);
        if (tbl[e] == c.At(at) && tbl[e + 1] == c.At(at + 1) && tbl[e + 2] == c.At(at + 2))
            text = std::string(kDcsCodes[static_cast<size_t>(j)]);
    }
    return text;
}

// The CT DEV step whose deviation entry for the decoded tone matches the slot's bytes.
std::optional<std::string> DecodeCtDev(const DecodeContext& c, int slot, const std::string& tone) {
    int t = cv::CtcssToneIndex(tone);
    if (t < 0) return std::nullopt;
    size_t rec = layout::ChannelSlot(slot) + ch::EncodeDeviation;
    // Steps that share an entry store the same bytes: the first of them keeps them.
    for (int d = 0; d < kCtDevStepCount; ++d) {
        size_t e = DevEntryAt(d, t);
        const auto& tbl = c.t.Conv->DevTbl;
        if (tbl[e] == c.At(rec) && tbl[e + 1] == c.At(rec + 1) && tbl[e + 2] == c.At(rec + 2))
            return IntText(kCtDevSteps[static_cast<size_t>(d)]);
    }
    return std::nullopt;
}

// The CT DEV of a DCS channel from its deviation byte: every byte the encoder writes.
std::optional<std::string> DecodeDcsCtDev(const DecodeContext& c, int slot) {
    if (auto dev = cv::CtDevFromDevByte(c.At(layout::ChannelSlot(slot) + ch::DevByte))) return IntText(*dev);
    return std::nullopt;
}

} // namespace

void DecodeSignalFlagColumns(DecodeContext& c) {
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        uint8_t s = SignalOf(c, slot);
        std::string ani = c.SlotText(slot, ColAni);
        if (s & ch::AniLBit) ani = "L";
        else if (s & ch::AniTBit) ani = "T";
        if (s & ch::AniOBit) ani += "O";
        c.SetSlotText(slot, ColAni, ani);
    }
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        uint8_t s = SignalOf(c, slot);
        std::string five = c.SlotText(slot, ColFiveTone);
        if (s & ch::FiveToneABit) five = "A";
        if (s & ch::FiveTonePBit) five += "P";
        if (s & ch::FiveToneMBit) five += "M";
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
        if (f & ch::CtcssEncodeBit) {
            std::string tone = DecodeCtcssEnc(c, enc, slot);
            c.SetSlotText(slot, ColCtcssEnc, tone);
            if (auto dev = DecodeCtDev(c, slot, tone)) c.SetSlotText(slot, ColCtDev, *dev);
        }
        if (f & ch::CtcssDecodeBit) c.SetSlotText(slot, ColCtcssDec, DecodeCtcssDec(c, dec, slot));
        if (f & ch::DcsEncodeBit) {
            std::string code = DecodeDcs(c, rec + ch::EncodeDeviation);
            c.SetSlotText(slot, ColDcsEnc, code);
            // With a CTCSS tone as well the record holds the tone's deviation, read above; a code
            // the editor cannot show is not encoded again, and neither is its deviation.
            if (!(f & ch::CtcssEncodeBit) && !code.empty())
                if (auto dev = DecodeDcsCtDev(c, slot)) c.SetSlotText(slot, ColCtDev, *dev);
        }
        if (f & ch::DcsDecodeBit) c.SetSlotText(slot, ColDcsDec, DecodeDcs(c, rec + ch::DcsDecodeBytes));
    }
}

void DecodeFlagColumns(DecodeContext& c) {
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot)
        if (FlagOf(c, slot) & ch::BclBit) c.SetSlotText(slot, ColBcl, "YES");
    int areas = 1, per = kMaxChannels;
    if (auto a = ToWhole(c.f.OptionFields[kOptNumberArea]))
        areas = static_cast<int>(std::clamp<long long>(*a, 1, kMaxAreas));
    if (auto n = ToWhole(c.f.OptionFields[kOptChInArea]))
        per = static_cast<int>(std::clamp<long long>(*n, 1, kMaxChannels));
    for (int slot = 1; slot <= layout::kSecondReceiverSlot; ++slot) {
        uint8_t f = FlagOf(c, slot);
        std::string scan = c.SlotText(slot, ColScan);
        if (f & ch::TrunkBit) scan = "T";
        if (f & ch::ScanBit) scan += "S";
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
