#include "editor/codec/DecodeRepair.h"
#include "editor/image/ToneLists.h"

#include "editor/codec/AreaNameCodec.h"
#include "editor/codec/ChannelCodec.h"
#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageCodec.h"
#include "editor/codec/ImageLayout.h"
#include "editor/codec/OptionAreaCodec.h"
#include "editor/codec/OptionAreaTable.h"
#include "editor/codec/SpecialCallTable.h"
#include "editor/codec/ToneRecordCodec.h"

#include "common/Cp1252.h"
#include "common/ModFun.h"
#include "common/TextUtil.h"
#include "editor/dataset/DataTexts.h"
#include "editor/dataset/GridRules.h"
#include "editor/image/FreqWords.h"
#include "editor/image/OptionFieldTable.h"
#include "editor/image/SettingsFieldNames.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

// The option dialog's number fields; the area shape (fields 0 and 1) is repaired on its own.
constexpr bool Repaired(int field) {
    return kOptionFields[static_cast<size_t>(field)].kind == OptionKind::Number && field != kOptNumberArea &&
           field != kOptChInArea;
}
constexpr NumberRule Rule(int field) {
    const OptionFieldSpec& s = kOptionFields[static_cast<size_t>(field)];
    return {field, s.min, s.max, s.step == 0 ? 1 : s.step};
}
constexpr NumberRule kBlows{kToneBlow, 1, 10, 1};

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
    for (int field = 0; field < kOptionFieldCount; ++field) {
        if (!Repaired(field)) continue;
        const NumberRule rule = Rule(field);
        auto n = static_cast<size_t>(field);
        r.Replace(f[n], InRange(f[n], rule, fallback[n]), OptionFieldText(r.c.d.Lang, rule.field));
    }
    // A key's number byte outside its range reads as 1; only "CALL" stores no number.
    for (size_t k = 0; k < optarea::kKeys.size(); ++k) {
        const auto [function, number] = optarea::kKeys[k];
        const int b = r.c.At(layout::kKeyTable + layout::key::Key(k) + layout::key::KeyNumber);
        const OptionFieldSpec& range = kOptionFields[static_cast<size_t>(number)];
        if ((b < range.min || b > range.max) && f[function] != IntText(optarea::kCallKeyFunction))
            r.list.push_back({OptionFieldText(r.c.d.Lang, number), 0, IntText(b), f[number]});
    }
    // A fixed level or default whose allow-change box is on is not stored: it reads as the value
    // the radio gets. The options dialog does not show it then, so this is no news to the user.
    for (const optarea::Row& row : optarea::kRows)
        if (row.coding == optarea::Coding::Level && f[static_cast<size_t>(row.aux)] == "1")
            f[static_cast<size_t>(row.field)] = IntText(row.value);
    if (f[kOptChannelchange] == "1") f[kOptDefaultChannel] = "0";
    if (f[kOptAreachange] == "1" || f[kOptNumberArea] == "1") {
        // The default image's default area, when the set has that area.
        const long long stored = r.c.t.DefaultImage[layout::opt::DefaultArea] - 1;
        f[kOptDefaultArea] =
            IntText(stored >= 0 && stored < ToWhole(f[kOptNumberArea]).value_or(1) ? stored : 0);
    }
    r.c.d.SetRadioOption(Join(f));
}

bool IsToneDigit(const std::string& ch) {
    return ch.size() == 1 && ((ch[0] >= '0' && ch[0] <= '9') || (ch[0] >= 'A' && ch[0] <= 'F') || ch == "R" || ch == "G");
}

void RepairToneSettings(Repairs& r) {
    auto t = Split(r.c.d.FiveToneInfo());
    if (t.size() != kToneInfoFieldCount) return;
    std::string& id = t[kToneOwnId];
    bool ok = CharCount(id) <= layout::opt::OwnIdSize;
    for (size_t i = 0; ok && i < CharCount(id); ++i)
        ok = IsToneDigit(CharAt(id, i));
    if (!ok) r.Replace(id, "", ToneFieldText(r.c.d.Lang, kToneOwnId));
    r.Replace(t[kToneBlow], InRange(t[kToneBlow], kBlows, Split(kDefaultFiveToneInfo)[kToneBlow]),
              ToneFieldText(r.c.d.Lang, kToneBlow));
    r.c.d.SetFiveToneInfo(Join(t));
}

// With MARNET on the radio takes five digits, a repeated one sent as R; they are stored where
// the own ID is.
std::string MarnetId(const std::string& id) {
    std::string s;
    for (size_t i = 0; i < layout::opt::OwnIdSize; ++i) {
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
    if (!e.f.SplitOptions(c.d.RadioOption())) return c.t.DefaultImage;
    e.f.SplitToneSettings(c.d.FiveToneInfo());
    e.f.SplitFarmSettings(c.d.FarmMarnetInfo());
    e.f.ScanAreaPriority(c.d.MFG);
    EncodeOptionArea(e);
    return scratch;
}

void RepairFarmSettings(Repairs& r) {
    auto f = Split(r.c.d.FarmMarnetInfo());
    if (f.size() != kFarmFieldCount) return;
    namespace o = layout::opt;
    std::string &marnetId = f[kMarnetId], &groupId = f[kFarmGroupId];
    const LanguageTexts& lang = r.c.d.Lang;
    if (f[kMarnetOn] == "1") r.Replace(marnetId, MarnetId(marnetId), FarmFieldText(lang, kMarnetId));
    // The group ID is a number of up to three digits.
    bool digits = CharCount(groupId) <= o::GroupIdSize;
    for (char ch : groupId)
        digits = digits && ch >= '0' && ch <= '9';
    if (!digits) r.Replace(groupId, "", FarmFieldText(lang, kFarmGroupId));
    r.c.d.SetFarmMarnetInfo(Join(f));
    const ImageArray stored = StoredOptionArea(r.c);
    if (f[kMarnetOn] != "1")
        r.Replace(marnetId,
                  cv::BytesToToneString(stored[o::PackedId], stored[o::PackedId + 1], stored[o::PackedId + 2],
                                        optarea::kRepeatCode),
                  FarmFieldText(lang, kMarnetId));
    r.Replace(groupId,
              cv::CodesToToneString({stored[o::GroupId], stored[o::GroupId + 1], stored[o::GroupId + 2]}),
              FarmFieldText(lang, kFarmGroupId));
    const int word = 256 * stored[o::SecondRxWordHigh] + stored[o::SecondRxWordLow];
    r.Replace(f[kSecondRxFrequency], SecondFrequencyText(word), FarmFieldText(lang, kSecondRxFrequency));
    r.c.d.SetFarmMarnetInfo(Join(f));
    // The second receiver's Rx is stored as that same word.
    auto& g = r.c.d.MFG;
    const int last = g.Rows() - 1;
    std::string rx = g.TextMatrix(last, ColRxFreq);
    if (!Trim(rx).empty()) {
        std::string now = SecondReceiverRxText(word);
        if (now != rx) {
            r.list.push_back({ColumnName(ColRxFreq), last, rx, now});
            r.c.d.SetCell(last, ColRxFreq, now, RecordWrite::Quiet);
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

// The name field as the image holds it when it holds a zero byte the next save does not keep:
// one before another character (the name reads shifted), or with fillWithZeros off any zero
// (the save fills with spaces).
std::optional<std::string> ZerosLost(const uint8_t* bytes, size_t n, bool fillWithZeros) {
    size_t used = n;
    if (fillWithZeros)
        while (used > 0 && bytes[used - 1] == 0) --used;
    if (std::find(bytes, bytes + used, uint8_t{0}) == bytes + used) return std::nullopt;
    return MarkedName(bytes, used);
}

// Names the encoder does not store (a one-area set, areas beyond the count) come back as the
// default image has them; characters the radio shows as nothing are dropped.
void RepairAreaNames(Repairs& r) {
    const auto areas = ToWhole(Split(r.c.d.RadioOption())[kOptNumberArea]).value_or(1);
    for (int i = 1; i <= kMaxAreas; ++i) {
        std::string name = r.c.d.AreaNames()[static_cast<size_t>(i)];
        std::string now;
        if (areas == 1 || i > areas) {
            now = AreaNameFromImage(r.c.t.DefaultImage, i);
        } else {
            now = WithoutControls(name);
            // The slot's bytes past the ones read are not kept either.
            const uint8_t* slot = &r.c.img[layout::kAreaNameTable + static_cast<size_t>(i - 1) * layout::kAreaNameSlot];
            if (auto was = ZerosLost(slot, layout::kAreaNameSlot, true)) {
                r.list.push_back({FieldText(r.c.d.Lang, DataField::AreaName, {IntText(i)}), 0, *was, now});
                name = now;
            }
        }
        r.Replace(name, now, FieldText(r.c.d.Lang, DataField::AreaName, {IntText(i)}));
        r.c.d.SetAreaName(i, name);
    }
}

std::string BytesText(const DecodeContext& c, size_t at, size_t n) {
    std::string hex;
    for (size_t k = 0; k < n; ++k) hex += (k ? " " : "") + HexByte(c.At(at + k));
    return DataText(c.d.Lang, n == 1 ? DataMsg::Byte : DataMsg::Bytes, {hex});
}

// Bytes of a channel record that no cell value gives (a radio calibrated with other tables, a
// damaged image) come back as a value the editor holds; the bytes go into the list, since the
// next save writes that value's bytes instead.
struct SlotBytes {
    Repairs& r;
    int row;
    size_t rec;
    const ChannelGrid& g() { return r.c.d.MFG; }
    std::string Cell(int column) { return g().TextMatrix(row, column); }
    template <class Bytes> bool SameBytes(size_t off, const Bytes& want) {
        size_t k = 0;
        for (uint8_t b : want)
            if (r.c.At(rec + off + k++) != b) return false;
        return true;
    }
    bool Same(size_t off, std::initializer_list<uint8_t> want) { return SameBytes(off, want); }
    template <size_t N> bool Same(size_t off, const std::array<uint8_t, N>& want) {
        return SameBytes(off, want);
    }
    // Lists the column once, with the bytes at off, and sets its text.
    void Replace(int column, size_t off, size_t n, const std::string& now) {
        for (const auto& e : r.list)
            if (e.row == row && e.field == ColumnName(column)) return;
        r.list.push_back({ColumnName(column), row, BytesText(r.c, rec + off, n), now});
        r.c.d.SetCell(row, column, now, RecordWrite::Quiet);
    }
};

void ListForeignCodes(SlotBytes& s) {
    namespace ch = layout::ch;
    const auto& tbl = *s.r.c.t.Conv;
    const uint8_t flags = s.r.c.At(layout::ChannelFlag(SlotOfRow(s.g().Rows(), s.row)));
    auto ctcssWord = [&](const auto& table, const std::string& text, size_t off) {
        auto t = ToneTenths(text);
        const size_t k = t ? CtcssWordAt(*t - kCtcssFirstTenths) : 0;
        return t && s.Same(off, {table[k], table[k + 1]});
    };
    auto dcsEntry = [&](const std::string& code, size_t off) {
        const int c = cv::DcsIndex(Trim(code));
        const size_t e = DcsEntryAt(c);
        return c >= 0 && s.Same(off, {tbl.DcsTbl[e], tbl.DcsTbl[e + 1], tbl.DcsTbl[e + 2]});
    };
    const std::string enc = Trim(s.Cell(ColCtcssEnc)), dec = Trim(s.Cell(ColCtcssDec));
    const std::string dcsEnc = Trim(s.Cell(ColDcsEnc)), dcsDec = Trim(s.Cell(ColDcsDec));
    if (!enc.empty() && !ctcssWord(tbl.EncTbl, enc, ch::EncodeCode))
        s.Replace(ColCtcssEnc, ch::EncodeCode, ch::CodeSize, enc);
    if (!dec.empty() && !ctcssWord(tbl.DecTbl, dec, ch::DecodeCode))
        s.Replace(ColCtcssDec, ch::DecodeCode, ch::CodeSize, dec);
    // Beside a CTCSS tone the DCS flag reads those bytes as a code, mostly none.
    if ((flags & ch::DcsEncodeBit) &&
        (dcsEnc.empty() || (enc.empty() && !dcsEntry(dcsEnc, ch::EncodeDeviation))))
        s.Replace(ColDcsEnc, ch::EncodeDeviation, ch::EntrySize, dcsEnc);
    if (enc.empty() && !dcsEnc.empty() && !s.Same(ch::EncodeCode, ch::DcsEncodeMarker))
        s.Replace(ColDcsEnc, ch::EncodeCode, ch::CodeSize, dcsEnc);
    if ((flags & ch::DcsDecodeBit) && (dcsDec.empty() || !dcsEntry(dcsDec, ch::DcsDecodeBytes)))
        s.Replace(ColDcsDec, ch::DcsDecodeBytes, ch::EntrySize, dcsDec);
    if (dec.empty() && !dcsDec.empty() && !s.Same(ch::DecodeCode, ch::DcsDecodeMarker))
        s.Replace(ColDcsDec, ch::DecodeCode, ch::CodeSize, dcsDec);
}

// A word whose 12.5 kHz steps lie beyond the raster reads as a frequency that stores another
// word; one below 32 MHz reads as none, and the save leaves the default image's word.
void ListForeignWords(SlotBytes& s, bool second) {
    namespace ch = layout::ch;
    for (int column : {ColTxFreq, ColRxFreq}) {
        const std::string text = s.Cell(column);
        if (second && column == ColRxFreq) continue;
        const size_t off = column == ColTxFreq ? ch::TxPllWord : ch::RxPllWord;
        if (Trim(text).empty()) {
            // Words of 32 MHz and more that were cleared are listed with their frequency.
            const int word = 256 * s.r.c.At(s.rec + off + 1) + s.r.c.At(s.rec + off);
            const auto& none = s.r.c.t.DefaultImage;
            if (!PllText(word, column == ColRxFreq ? kRxWordOffset : 0) &&
                !s.Same(off, {none[s.rec + off], none[s.rec + off + 1]}))
                s.Replace(column, off, ch::PllWordSize, text);
            continue;
        }
        auto w = column == ColTxFreq ? cv::FreqToPll(text) : cv::FreqToPllIf(text);
        if (!w || !s.Same(off, {(*w)[1], (*w)[0]})) s.Replace(column, off, ch::PllWordSize, text);
    }
}

// Flag bits the texts do not give back: bits the radio does not use, ANI with both L and T, a
// high-tone bit that disagrees with the tone.
void ListForeignFlags(SlotBytes& s) {
    namespace ch = layout::ch;
    auto has = [&](int column, char letter) { return s.Cell(column).find(letter) != std::string::npos; };
    const uint8_t got = s.r.c.At(s.rec + ch::SignalFlags);
    const int ani = (has(ColAni, 'O') ? ch::AniOBit : 0) | (has(ColAni, 'T') ? ch::AniTBit : 0) |
                    (has(ColAni, 'L') ? ch::AniLBit : 0);
    const int five = (has(ColFiveTone, 'M') ? ch::FiveToneMBit : 0) |
                     (has(ColFiveTone, 'P') ? ch::FiveTonePBit : 0) |
                     (has(ColFiveTone, 'A') ? ch::FiveToneABit : 0);
    if ((got & ch::AniBits) != ani) s.Replace(ColAni, ch::SignalFlags, 1, s.Cell(ColAni));
    if ((got & ch::FiveToneBits) != five) s.Replace(ColFiveTone, ch::SignalFlags, 1, s.Cell(ColFiveTone));
    if (auto f = ToDouble(s.Cell(ColCtcssEnc));
        f && ((got & ch::HighToneBit) != 0) != (*f >= ch::HighToneTenths / 10.0))
        s.Replace(ColCtcssEnc, ch::SignalFlags, 1, s.Cell(ColCtcssEnc));
    const size_t flag = layout::ChannelFlag(SlotOfRow(s.g().Rows(), s.row));
    for (auto [at, bit] :
         {std::pair{s.rec + ch::SignalFlags, ch::UnusedSignalBit}, std::pair{flag, ch::UnusedFlagBit}})
        if (s.r.c.At(at) & bit) {
            const LanguageTexts& lang = s.r.c.d.Lang;
            s.r.list.push_back({FieldText(lang, DataField::ChannelFlags), s.row, BytesText(s.r.c, at, 1),
                                DataText(lang, DataMsg::BitCleared, {HexByte(bit)})});
        }
}

void ListForeignBytes(Repairs& r, int row, int slot) {
    SlotBytes s{r, row, layout::ChannelSlot(slot)};
    const size_t rec = s.rec;
    auto cell = [&](int column) { return s.Cell(column); };
    const auto& tbl = *r.c.t.Conv;
    ListForeignCodes(s);
    ListForeignWords(s, slot == layout::kSecondReceiverSlot);
    ListForeignFlags(s);
    if (!Trim(cell(ColCtcssEnc)).empty()) {
        const int t = cv::CtcssToneIndex(cell(ColCtcssEnc)), d = cv::CtDevIndex(cell(ColCtDev));
        bool same = t >= 0 && d >= 0 && !cell(ColCtDev).empty();
        for (size_t k = 0; same && k < layout::ch::EntrySize; ++k)
            same = tbl.DevTbl[DevEntryAt(d, t) + k] == r.c.At(rec + layout::ch::EncodeDeviation + k);
        if (!same) s.Replace(ColCtDev, layout::ch::EncodeDeviation, layout::ch::EntrySize, kDefaultCtDev);
    } else if (!Trim(cell(ColDcsEnc)).empty() && !cv::CtDevFromDevByte(r.c.At(rec + layout::ch::DevByte))) {
        s.Replace(ColCtDev, layout::ch::DevByte, 1, kDefaultCtDev);
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
            r.c.d.SetCell(row, column, now, RecordWrite::Quiet);
        };
        // The channel rows' frequencies were seen to before the band was chosen.
        if (second && !Trim(cell(ColTxFreq)).empty() && !cv::FreqToPll(cell(ColTxFreq))) set(ColTxFreq, "");
        const size_t rec = layout::ChannelSlot(SlotOfRow(rows, row));
        for (int column : {ColName1, ColName2}) {
            const bool one = column == ColName1;
            const uint8_t* field = &r.c.img[rec + (one ? layout::ch::Name1 : layout::ch::Name2)];
            const size_t width = one ? layout::ch::Name1Size : layout::ch::Name2Size;
            const std::string now = Trim(WithoutControls(cell(column)));
            // The name as the next save stores it: padded with spaces, an empty second line zeros.
            std::string stored = Utf8ToCp1252(now).value_or(std::string());
            stored.resize(width, one || !now.empty() ? ' ' : '\0');
            if (!std::equal(stored.begin(), stored.end(), field, [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; })) {
                r.list.push_back({ColumnName(column), row, MarkedName(field, width), now});
                r.c.d.SetCell(row, column, now, RecordWrite::Quiet);
            }
        }
        // One record holds either a CTCSS or a DCS encode tone.
        if (!Trim(cell(ColCtcssEnc)).empty() && !Trim(cell(ColDcsEnc)).empty()) set(ColDcsEnc, "");
        ListForeignBytes(r, row, SlotOfRow(rows, row));
        std::string sel = Trim(cell(ColSelCall));
        if (!sel.empty()) {
            auto v = ToWhole(sel);
            if (!v || *v < 1 || *v > kToneLines) set(ColSelCall, "");
        }
    }
}

// A band guessed from power bytes that another band reads otherwise (or that its table lacks):
// the band and each power level read in doubt, so that the user checks them.
void ListGuessedBand(Repairs& r) {
    if (!r.c.guessedBand) return;
    r.list.push_back({FieldText(r.c.d.Lang, DataField::Band), 0, r.c.bandGuessText, BandRange(*r.c.guessedBand)});
    const int rows = r.c.d.MFG.Rows();
    for (int slot : r.c.doubtfulPowerSlots) {
        const int row = slot == layout::kSecondReceiverSlot ? rows - 1 : slot;
        if (row > rows - 1 || SlotOfRow(rows, row) != slot ||
            std::any_of(r.list.begin(), r.list.end(),
                        [&](const ImageRepair& e) { return e.row == row && e.field == ColumnName(ColPower); }))
            continue;
        r.list.push_back({ColumnName(ColPower), row,
                          DataText(r.c.d.Lang, DataMsg::BandGuessed,
                                   {BytesText(r.c, layout::ChannelSlot(slot) + layout::ch::PowerByte, 1)}),
                          r.c.d.MFG.TextMatrix(row, ColPower)});
    }
}

void RepairToneLines(Repairs& r) {
    namespace t = layout::tone;
    // A call to another user carries a station ID of the length its kind packs.
    constexpr size_t kOtherUserIdSize = special::FindKind(kKindPlain)->idSize;
    for (int n = 1; n <= kToneLines; ++n) {
        auto f = ToneLineFields(r.c.d.FiveToneChannels()[n]);
        if (!f) continue;
        SpecialLine sd = r.c.d.SpecialData()[n];
        std::string& text = (*f)[kLineText];
        std::string& id = sd[kSpecId];
        const std::string ident = Trim(WithoutControls((*f)[kLineIdent]));
        if (auto was = ZerosLost(&r.c.img[layout::ToneRecord(n) + t::Identification], t::IdentificationSize, false))
            r.list.push_back({ToneLinePartText(r.c.d.Lang, n, DataField::LineIdent), 0, *was, ident});
        (*f)[kLineIdent] = ident;
        if (IsPlainCall(sd) && CharCount(text) > kCallPrefix.size() + kMaxCallDigits) {
            text = text.substr(0, kCallPrefix.size() + kMaxCallDigits);
        } else if (IsOtherUserCall(sd) && CharCount(id) != kOtherUserIdSize) {
            std::string now = id.substr(0, std::min<size_t>(id.size(), kOtherUserIdSize));
            now.resize(kOtherUserIdSize, '0');
            r.Replace(id, now, ToneLinePartText(r.c.d.Lang, n, DataField::LineStationId));
            text = std::string(kCallPrefix) + now;
        } else if (sd[kSpecKind] == kKindEmergency) {
            std::string own;
            for (size_t i = 0; i < t::EmergencyOwnIdDigits; ++i) {
                std::string ch = CharAt(sd[kSpecNumber], i);
                own += ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9' ? ch[0] : '0';
            }
            r.Replace(sd[kSpecNumber], own, ToneLinePartText(r.c.d.Lang, n, DataField::LineOwnId));
        } else if (sd[kSpecKind] == kKindCodeFetch && (sd[kSpecLevel].empty() || sd[kSpecNumber].empty()) &&
                   text != QueryAlarmText(id)) {
            // Without a PIN and a level the call is stored as an alarm query.
            text = QueryAlarmText(id);
            sd[kSpecLevel] = "LOW";
            sd[kSpecNumber].clear();
        }
        r.c.d.SetSpecialLine(static_cast<int>(n), sd);
        std::string line = r.c.d.FiveToneChannels()[n];
        r.Replace(line, Join(*f), ToneLineName(r.c.d.Lang, n));
        r.c.d.SetFiveToneLine(static_cast<int>(n), line);
    }
}

} // namespace

ChannelFrequencyRepairs::ChannelFrequencyRepairs(DecodeContext& c) : c_(c) {
    int areas = static_cast<int>(ToWhole(c.f.OptionFields[kOptNumberArea]).value_or(1));
    rows_ =
        std::min(kMaxChannels, areas * static_cast<int>(ToWhole(c.f.OptionFields[kOptChInArea]).value_or(0)));
    if (c.f.FarmFields[kMarnetOn] != "0" && areas == 1) rows_ = std::min(kMaxChannels, rows_ + 1);
    auto& g = c.d.MFG;
    for (int row = 1; row <= rows_; ++row)
        for (int column : {ColTxFreq, ColRxFreq}) {
            const std::string text = g.TextMatrix(row, column);
            if (Trim(text).empty()) continue;
            bool stored =
                column == ColTxFreq ? cv::FreqToPll(text).has_value() : cv::FreqToPllIf(text).has_value();
            if (!stored) {
                list_.push_back({ColumnName(column), row, text, ""});
                c.d.SetCell(row, column, "", RecordWrite::Quiet);
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
    ListGuessedBand(r);
    RepairToneLines(r);
    return std::move(r.list);
}
} // namespace vt
