#include "editor/codec/DecodeRepair.h"
#include "editor/image/ToneLists.h"

#include "editor/codec/AreaNameCodec.h"
#include "editor/codec/ChannelCodec.h"
#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageLayout.h"
#include "editor/codec/OptionAreaCodec.h"
#include "editor/codec/OptionAreaTable.h"
#include "editor/codec/ToneRecordCodec.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"
#include "editor/dataset/GridRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vt {

namespace {

struct Repairs {
    DecodeContext& c;
    std::vector<ImageRepair> list;

    void Replace(std::string& value, std::string now, const std::string& field, int row = 0) {
        if (value == now) return;
        list.push_back({field, row, value, now});
        value = std::move(now);
    }
};

// A number field of the options or settings: whole, within lo..hi and a multiple of step.
struct NumberRule {
    int field;
    long long lo, hi, step;
};

// Ranges of the radio-options dialog for the fields it takes as numbers.
constexpr NumberRule kOptionNumbers[] = {
    {5, 50, 900, 10},    {6, 1, 25, 1},   {8, 10, 2500, 10}, {9, 1, 250, 1},   {10, 10, 2500, 10},
    {11, 10, 2500, 10},  {12, 100, 5000, 100}, {13, 1, 9, 1}, {15, 1, 100, 1},  {17, 1, 100, 1},
    {19, 1, 100, 1},     {21, 1, 100, 1}, {23, 1, 100, 1},
};
constexpr NumberRule kBlows{4, 1, 10, 1};

std::string InRange(const std::string& text, const NumberRule& r, const std::string& fallback) {
    auto v = ToDouble(text);
    if (!v) return fallback;
    long long n = static_cast<long long>(RoundHalfEven(*v));
    n = std::clamp(n, r.lo, r.hi);
    n -= (n - r.lo) % r.step;
    return IntText(n);
}

void RepairOptions(Repairs& r) {
    auto f = Split(r.c.d.RadioOption());
    auto fallback = Split(kDefaultRadioOption);
    if (f.size() != fallback.size()) return;
    for (const auto& rule : kOptionNumbers) {
        auto n = static_cast<size_t>(rule.field);
        r.Replace(f[n], InRange(f[n], rule, fallback[n]), OptionFieldName(rule.field));
    }
    // A key's number byte outside 1..100 reads as 1; only "CALL" stores no number.
    for (int k = 0; k < 4; ++k) {
        const int b = r.c.At(layout::kKeyTable + 3 + 2 * static_cast<size_t>(k));
        const int field = 15 + 2 * k;
        if ((b == 0 || b > 100) && f[static_cast<size_t>(field - 1)] != "3")
            r.list.push_back({OptionFieldName(field), 0, IntText(b), f[static_cast<size_t>(field)]});
    }
    // A fixed level or default whose allow-change box is on is not stored: it reads as the value
    // the radio gets. The options dialog does not show it then, so this is no news to the user.
    if (f[26] == "1") f[35] = "1";
    if (f[28] == "1") f[36] = "0";
    if (f[24] == "1") f[37] = "12";
    if (f[25] == "1" || f[0] == "1") {
        // The default image's default area, when the set has that area.
        const long long stored = r.c.t.DefaultImage[layout::opt::DefaultArea] - 1;
        f[38] = IntText(stored >= 0 && stored < ToWhole(f[0]).value_or(1) ? stored : 0);
    }
    r.c.d.SetRadioOption(Join(f));
}

bool IsToneDigit(const std::string& ch) {
    return ch.size() == 1 && ((ch[0] >= '0' && ch[0] <= '9') || (ch[0] >= 'A' && ch[0] <= 'F') || ch == "R" || ch == "G");
}

void RepairToneSettings(Repairs& r) {
    auto t = Split(r.c.d.FiveToneInfo());
    if (t.size() != kToneInfoFieldCount) return;
    bool ok = CharCount(t[0]) <= 5;
    for (size_t i = 0; ok && i < CharCount(t[0]); ++i) ok = IsToneDigit(CharAt(t[0], i));
    if (!ok) r.Replace(t[0], "", ToneFieldName(0));
    r.Replace(t[4], InRange(t[4], kBlows, Split(kDefaultFiveToneInfo)[4]), ToneFieldName(4));
    r.c.d.SetFiveToneInfo(Join(t));
}

// With MARNET on the radio takes five digits, a repeated one sent as R.
std::string MarnetId(const std::string& id) {
    std::string s;
    for (size_t i = 0; i < 5; ++i) {
        std::string ch = CharAt(id, i);
        s += ch.size() == 1 && ((ch[0] >= '0' && ch[0] <= '9') || ch[0] == 'R') ? ch[0] : '0';
    }
    return InsertRepeatTone(s);
}

// The option area as the next save stores it. Some fields are stored only under a condition
// (the second frequency while the second receiver is on) or share their bytes with others (the
// MARNET ID with the own ID while MARNET is off); what the next open reads comes from here.
ImageArray StoredOptionArea(const DecodeContext& c) {
    ImageArray scratch = c.t.DefaultImage;
    EncodeContext e(c.d, c.t, scratch);
    if (!e.f.SplitOptions(c.d.RadioOption())) return scratch;
    e.f.SplitToneSettings(c.d.FiveToneInfo());
    e.f.SplitFarmSettings(c.d.FarmMarnetInfo());
    e.f.ScanAreaPriority(c.d.MFG);
    EncodeOptionArea(e);
    return scratch;
}

void RepairFarmSettings(Repairs& r) {
    auto f = Split(r.c.d.FarmMarnetInfo());
    if (f.size() != kFarmFieldCount) return;
    if (f[5] == "1") r.Replace(f[6], MarnetId(f[6]), FarmFieldName(6));
    // The group ID is a number of up to three digits.
    bool digits = CharCount(f[1]) <= 3;
    for (char ch : f[1]) digits = digits && ch >= '0' && ch <= '9';
    if (!digits) r.Replace(f[1], "", FarmFieldName(1));
    r.c.d.SetFarmMarnetInfo(Join(f));
    const ImageArray stored = StoredOptionArea(r.c);
    namespace o = layout::opt;
    if (f[5] != "1")
        r.Replace(f[6],
                  cv::BytesToToneString(stored[o::PackedId], stored[o::PackedId + 1], stored[o::PackedId + 2],
                                        optarea::kRepeatCode),
                  FarmFieldName(6));
    r.Replace(f[1], cv::CodesToToneString({stored[o::GroupId], stored[o::GroupId + 1], stored[o::GroupId + 2]}),
              FarmFieldName(1));
    const int word = 256 * stored[o::SecondRxWordHigh] + stored[o::SecondRxWordLow];
    r.Replace(f[9], SecondFrequencyText(word), FarmFieldName(9));
    r.c.d.SetFarmMarnetInfo(Join(f));
    // The second receiver's Rx is stored as that same word.
    auto& g = r.c.d.MFG;
    const int last = g.Rows() - 1;
    std::string rx = g.TextMatrix(last, ColRxFreq);
    if (!Trim(rx).empty()) {
        std::string now = SecondReceiverRxText(word);
        if (now != rx) {
            r.list.push_back({ColumnName(ColRxFreq), last, rx, now});
            g.SetTextMatrix(last, ColRxFreq, now);
        }
    }
}

// A name without the control characters the image may hold: the editor's fields take none and
// the radio shows them as nothing.
std::string WithoutControls(const std::string& text) {
    std::string s;
    for (unsigned char ch : text)
        if (ch >= 0x20 && ch != 0x7F) s += static_cast<char>(ch);
    return s;
}

// Names the encoder does not store (a one-area set, areas beyond the count) come back as the
// default image has them; characters the radio shows as nothing are dropped.
void RepairAreaNames(Repairs& r) {
    const auto areas = ToWhole(Split(r.c.d.RadioOption()).front()).value_or(1);
    for (int i = 1; i <= kMaxAreas; ++i) {
        std::string name = r.c.d.AreaNames()[static_cast<size_t>(i)];
        std::string now;
        if (areas == 1 || i > areas) {
            now = AreaNameFromImage(r.c.t.DefaultImage, i);
        } else {
            now = WithoutControls(name);
        }
        r.Replace(name, now, "Name of area " + std::to_string(i));
        r.c.d.SetAreaName(i, name);
    }
}

std::string BytesText(const DecodeContext& c, size_t at, size_t n) {
    std::string s = n == 1 ? "byte" : "bytes";
    char hex[8];
    for (size_t k = 0; k < n; ++k) {
        std::snprintf(hex, sizeof hex, " 0x%02X", c.At(at + k));
        s += hex;
    }
    return s;
}

// Bytes of a channel record that no cell value gives (a radio calibrated with other tables, a
// damaged image) come back as a value the editor holds; the bytes go into the list, since the
// next save writes that value's bytes instead.
void ListForeignBytes(Repairs& r, int row, int slot) {
    auto& g = r.c.d.MFG;
    const size_t rec = layout::ChannelSlot(slot);
    auto cell = [&](int column) { return g.TextMatrix(row, column); };
    auto replace = [&](size_t at, size_t n, const std::string& now) {
        r.list.push_back({ColumnName(ColCtDev), row, BytesText(r.c, at, n), now});
        g.SetTextMatrix(row, ColCtDev, now);
    };
    const auto& tbl = *r.c.t.Conv;
    if (!Trim(cell(ColCtcssEnc)).empty()) {
        const int t = cv::CtcssToneIndex(cell(ColCtcssEnc)), d = cv::CtDevIndex(cell(ColCtDev));
        bool same = t >= 0 && d >= 0 && !cell(ColCtDev).empty();
        for (size_t k = 0; same && k < 3; ++k)
            same = tbl.DevTbl[153 * static_cast<size_t>(d) + 3 * static_cast<size_t>(t) + k] ==
                   r.c.At(rec + layout::ch::EncodeDeviation + k);
        if (!same) replace(rec + layout::ch::EncodeDeviation, 3, kDefaultCtDev);
    } else if (!Trim(cell(ColDcsEnc)).empty() && !cv::CtDevFromDevByte(r.c.At(rec + layout::ch::DevByte))) {
        replace(rec + layout::ch::DevByte, 1, kDefaultCtDev);
    }
    const uint8_t power = r.c.At(rec + layout::ch::PowerByte);
    if (cv::PowerByteFromIndex(tbl, r.c.d.BandIndex, cv::PowerIndexFromByte(tbl, r.c.d.BandIndex, power)) != power)
        r.list.push_back({ColumnName(ColPower), row, BytesText(r.c, rec + layout::ch::PowerByte, 1), cell(ColPower)});
}

void RepairChannels(Repairs& r) {
    auto& g = r.c.d.MFG;
    const int rows = g.Rows();
    for (int row = 1; row < rows; ++row) {
        if (SlotOfRow(rows, row) == 0) continue;
        const bool second = row == rows - 1;
        auto cell = [&](int column) { return g.TextMatrix(row, column); };
        auto set = [&](int column, const std::string& now) {
            std::string was = cell(column);
            if (was == now) return;
            r.list.push_back({ColumnName(column), row, was, now});
            g.SetTextMatrix(row, column, now);
        };
        // The channel rows' frequencies were seen to before the band was chosen.
        if (second && !Trim(cell(ColTxFreq)).empty() && !cv::FreqToPll(cell(ColTxFreq))) set(ColTxFreq, "");
        for (int column : {ColName1, ColName2})
            if (!second) set(column, Trim(WithoutControls(cell(column))));
        // One record holds either a CTCSS or a DCS encode tone.
        if (!Trim(cell(ColCtcssEnc)).empty() && !Trim(cell(ColDcsEnc)).empty()) set(ColDcsEnc, "");
        ListForeignBytes(r, row, SlotOfRow(rows, row));
        std::string sel = Trim(cell(ColSelCall));
        if (!sel.empty()) {
            auto v = ToWhole(sel);
            if (!v || *v < 1 || *v > 100) set(ColSelCall, "");
        }
    }
}

std::string LineName(int n) { return "5-tone line " + std::to_string(n); }

void RepairToneLines(Repairs& r) {
    for (int n = 1; n <= kToneLines; ++n) {
        auto f = ToneLineFields(r.c.d.FiveToneChannels()[n]);
        if (!f) continue;
        SpecialLine sd = r.c.d.SpecialData()[n];
        std::string& text = (*f)[0];
        (*f)[2] = Trim(WithoutControls((*f)[2]));
        if (sd[1] == "0" && sd[2] != "8" && CharCount(text) > 25) {
            text = text.substr(0, 25); // "CALL " and 20 digits
        } else if (sd[1] == "0" && sd[2] == "8" && CharCount(sd[10]) != 5) {
            // A call to another user carries a station ID of five digits.
            std::string id = sd[10].substr(0, std::min<size_t>(sd[10].size(), 5));
            id.resize(5, '0');
            r.Replace(sd[10], id, LineName(n) + " station ID");
            text = "CALL " + id;
        } else if (sd[1] == "5") {
            std::string own;
            for (size_t i = 0; i < 3; ++i) {
                std::string ch = CharAt(sd[9], i);
                own += ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9' ? ch[0] : '0';
            }
            r.Replace(sd[9], own, LineName(n) + " own ID");
        } else if (sd[1] == "1" && (sd[8].empty() || sd[9].empty()) && text != "ROBOT " + sd[10] + " QUERY ALARM") {
            // Without a PIN and a level the call is stored as an alarm query.
            text = "ROBOT " + sd[10] + " QUERY ALARM";
            sd[8] = "LOW";
            sd[9].clear();
        }
        r.c.d.SetSpecialLine(static_cast<int>(n), sd);
        std::string line = r.c.d.FiveToneChannels()[n];
        r.Replace(line, Join(*f), LineName(n));
        r.c.d.SetFiveToneLine(static_cast<int>(n), line);
    }
}

} // namespace

ChannelFrequencyRepairs::ChannelFrequencyRepairs(DecodeContext& c) : c_(c) {
    int areas = static_cast<int>(ToWhole(c.f.OptionFields[0]).value_or(1));
    rows_ = std::min(kMaxChannels, areas * static_cast<int>(ToWhole(c.f.OptionFields[1]).value_or(0)));
    if (c.f.FarmFields[5] != "0" && areas == 1) rows_ = std::min(kMaxChannels, rows_ + 1);
    auto& g = c.d.MFG;
    for (int row = 1; row <= rows_; ++row)
        for (int column : {ColTxFreq, ColRxFreq}) {
            const std::string text = g.TextMatrix(row, column);
            if (Trim(text).empty()) continue;
            bool stored =
                column == ColTxFreq ? cv::FreqToPll(text).has_value() : cv::FreqToPllIf(text).has_value();
            if (!stored) {
                list_.push_back({ColumnName(column), row, text, ""});
                g.SetTextMatrix(row, column, "");
            }
        }
    before_.resize(static_cast<size_t>(2 * rows_));
    for (int row = 1; row <= rows_; ++row) {
        before_[static_cast<size_t>(2 * (row - 1))] = g.TextMatrix(row, ColTxFreq);
        before_[static_cast<size_t>(2 * (row - 1) + 1)] = g.TextMatrix(row, ColRxFreq);
    }
}

std::vector<ImageRepair> ChannelFrequencyRepairs::AfterBand() {
    auto& g = c_.d.MFG;
    for (int row = 1; row <= rows_; ++row)
        for (int k : {0, 1}) {
            int column = k == 0 ? ColTxFreq : ColRxFreq;
            const std::string& was = before_[static_cast<size_t>(2 * (row - 1) + k)];
            if (g.TextMatrix(row, column) != was) list_.push_back({ColumnName(column), row, was, g.TextMatrix(row, column)});
        }
    return std::move(list_);
}

std::vector<ImageRepair> RepairDecodedData(DecodeContext& c) {
    Repairs r{c, {}};
    RepairOptions(r);
    RepairToneSettings(r);
    RepairFarmSettings(r);
    RepairAreaNames(r);
    RepairChannels(r);
    RepairToneLines(r);
    return std::move(r.list);
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
