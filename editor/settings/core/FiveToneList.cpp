#include "editor/settings/core/FiveToneList.h"

#include "common/Cp1252.h"
#include "common/ModFun.h"
#include "common/TextUtil.h"
#include "editor/settings/core/ToneSetList.h"
#include "editor/dataset/EditorData.h"
#include "editor/image/CallTexts.h"

#include <cmath>

namespace vt {

static_assert(kToneGridRows == kToneLines + 1, "one grid row per call list line, after the header");

namespace {
constexpr const char* kHeaders[kToneGridCols] = {"No",      "CALL TONES/TYPE", "TONESET",  "INDENTIFICATION",
                                                 "CHANNEL", "TRIES",           "EMERGENCY"};

bool IsLine(int row) { return row >= 1 && row <= kToneLines; }

// A 0/1 field of FiveToneInfo; anything else gives the box's default (ticked).
int FlagField(const std::string& text) {
    auto v = ToWhole(text);
    return v && (*v == 0 || *v == 1) ? static_cast<int>(*v) : 1;
}
} // namespace

bool IsToneChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == 'R' || c == 'G';
}

bool IsToneString(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!IsToneChar(c)) return false;
    return true;
}

bool IdentificationFits(std::string_view text) {
    return text.find('|') == std::string_view::npos && !NameRefusal(text) &&
           Utf8Length(text) <= static_cast<size_t>(kIdentificationMax);
}

bool IsPlainNumberIn(std::string_view text, int lo, int hi) {
    if (text.empty() || text.size() > 9) return false;
    long long v = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        v = v * 10 + (c - '0');
    }
    return v >= lo && v <= hi;
}

FiveToneList::FiveToneList() {
    for (int c = 0; c < kToneGridCols; ++c) cells_[0][static_cast<size_t>(c)] = kHeaders[c];
    LabelRows("NUMBER ");
}

void FiveToneList::LabelRows(const char* idPrefix) {
    for (int n = 1; n < kToneGridRows; ++n) {
        auto& row = cells_[static_cast<size_t>(n)];
        for (auto& cell : row) cell.clear();
        row[ToneColNo] = std::to_string(n);
        row[ToneColIdent] = idPrefix + std::to_string(n);
    }
}

void FiveToneList::Load(const EditorData& d) {
    *this = FiveToneList();
    auto info = Split(d.FiveToneInfo());
    if (info.size() == kToneInfoFieldCount) {
        OwnID = info[kToneOwnId];
        auto set = ToWhole(info[kToneSetIndex]);
        ToneSet = set && *set >= 0 && *set < kToneSetCount ? static_cast<int>(*set) : kDefaultToneSet;
        PGcall = FlagField(info[kTonePgCall]);
        Hooker = FlagField(info[kToneHooker]);
        auto blows = ToWhole(info[kToneBlow]);
        Blows = blows && *blows >= 1 && *blows <= kMaxBlows ? static_cast<int>(*blows) : kDefaultBlows;
        Speaker = FlagField(info[kToneSpeaker]);
    }
    auto farm = Split(d.FarmMarnetInfo());
    if (farm.size() == kFarmFieldCount) {
        FarmcallLabel = farm[kFarmGroupId];
        RingLabel = farm[kFarmPosition];
        MarnetLabel = farm[kMarnetMaxChannels];
        FarmChannelLabel = farm[kFarmChannel];
    }
    for (int n = 1; n <= kToneLines; ++n) {
        auto f = Split(d.FiveToneChannels()[static_cast<size_t>(n)]);
        if (f.size() != kToneLineFields) continue;
        for (int k = 0; k < kToneLineFields; ++k)
            cells_[static_cast<size_t>(n)][static_cast<size_t>(ToneColumnOf(k))] = f[static_cast<size_t>(k)];
    }
}

std::string FiveToneList::InfoText() const {
    std::vector<std::string> info(kToneInfoFieldCount);
    info[kToneOwnId] = OwnID;
    info[kToneSetIndex] = std::to_string(ToneSet);
    info[kTonePgCall] = std::to_string(PGcall);
    info[kToneHooker] = std::to_string(Hooker);
    info[kToneBlow] = std::to_string(Blows);
    info[kToneSpeaker] = std::to_string(Speaker);
    return Join(info);
}

std::string FiveToneList::LineText(int n) const {
    if (!IsLine(n)) return std::string();
    const auto& row = cells_[static_cast<size_t>(n)];
    std::vector<std::string> f(kToneLineFields);
    for (int k = 0; k < kToneLineFields; ++k) f[static_cast<size_t>(k)] = row[static_cast<size_t>(ToneColumnOf(k))];
    return Join(f);
}

void FiveToneList::Store(EditorData& d) const {
    d.SetFiveToneInfo(InfoText());
    for (int n = 1; n <= kToneLines; ++n)
        d.SetFiveToneLine(n, LineText(n));
    d.MarkModified();
}

void FiveToneList::ClearShared(EditorData& d) {
    // An empty FARMCALL/MARNET record would make every later encode fail; the default means off.
    // Working writes: the dialog's OK marks the data set, its Cancel restores the records.
    d.SetFarmMarnetInfo(kDefaultFarmMarnetInfo, RecordWrite::Quiet);
    d.SetFiveToneInfo(std::string(), RecordWrite::Quiet);
    for (int n = 1; n <= kToneLines; ++n) {
        d.SetFiveToneLine(n, std::string(), RecordWrite::Quiet);
        d.SetSpecialLine(n, SpecialLine{}, RecordWrite::Quiet);
    }
    ResetView();
}

void FiveToneList::ResetView() {
    OwnID.clear();
    ToneSet = 0;
    PGcall = Hooker = Speaker = 1;
    Blows = kDefaultBlows;
    FarmcallLabel.clear();
    RingLabel.clear();
    MarnetLabel.clear();
    FarmChannelLabel.clear();
    LabelRows("Number ");
}

const std::string& FiveToneList::Cell(int row, int col) const {
    static const std::string empty;
    if (row < 0 || row >= kToneGridRows || col < 0 || col >= kToneGridCols) return empty;
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void FiveToneList::SetCell(int row, int col, const std::string& text) {
    if (!IsLine(row) || col < 0 || col >= kToneGridCols) return;
    cells_[static_cast<size_t>(row)][static_cast<size_t>(col)] = text;
}

bool FiveToneList::CheckOwnID(std::string& id) {
    if (id.empty()) return true;
    id = ToUpperAscii(id);
    return IsToneString(id) && id.size() <= static_cast<size_t>(kOwnIdMax);
}

bool FiveToneList::CallToneEditable(const EditorData& d, int row) const {
    if (!IsLine(row)) return false;
    return d.SpecialData()[static_cast<size_t>(row)][kSpecKind] == kKindPlain || Cell(row, ToneColCall).empty();
}

std::string FiveToneList::CallToneEditorText(int row) const {
    const std::string& t = Cell(row, ToneColCall);
    return t.size() > kCallPrefix.size() ? t.substr(kCallPrefix.size()) : t;
}

int FiveToneList::CommitCallTone(EditorData& d, int row, const std::string& text) {
    if (!IsLine(row)) return kCommitOk;
    if (!IsToneString(text)) return Trim(text).empty() ? kCommitOk : kCommitInvalid;
    SetCell(row, ToneColCall, CallText(ToUpperAscii(text)));
    auto fill = [&](int col, const std::string& v) {
        if (Cell(row, col).empty()) SetCell(row, col, v);
    };
    fill(ToneColToneSet, std::string(kCallToneSet));
    fill(ToneColIdent, "NUMBER " + std::to_string(row));
    fill(ToneColChannel, std::string(kCurrentChannel));
    fill(ToneColTries, "1");
    // Left-over special fields would make the encoder treat the typed digits as a special call.
    SpecialLine cleared;
    cleared[kSpecKind] = kKindPlain;
    d.SetSpecialLine(row, cleared, RecordWrite::Quiet);
    return kCommitOk;
}

void FiveToneList::SetToneSetCell(int row, int index) {
    std::string name = ToneSetName(index);
    if (!name.empty()) SetCell(row, ToneColToneSet, name);
}

bool FiveToneList::SetIdentification(int row, const std::string& text) {
    if (!IdentificationFits(text)) return false;
    SetCell(row, ToneColIdent, text);
    return true;
}

int FiveToneList::CommitChannel(int row, const std::string& text) {
    if (auto v = ToDouble(text)) {
        if (*v < 1 || *v > kMaxChannels) return kCommitRange;
        SetCell(row, ToneColChannel, IntText(static_cast<long long>(std::trunc(*v))));
        return kCommitOk;
    }
    if (text == "C" || text == "c" || text == kCurrentChannel) {
        SetCell(row, ToneColChannel, std::string(kCurrentChannel));
        return kCommitOk;
    }
    return Trim(text).empty() ? kCommitOk : kCommitInvalid;
}

bool FiveToneList::SetTries(int row, const std::string& text) {
    if (!IsPlainNumberIn(text, 1, kMaxTries) || text.size() != 1) return false;
    SetCell(row, ToneColTries, text);
    return true;
}

int FiveToneList::CommitEmergency(int row, const std::string& text) {
    if (auto v = ToDouble(text)) {
        double n = RoundHalfEven(*v);
        if (n < 1 || n > kMaxEmergency) return kCommitRange;
        int num = static_cast<int>(n);
        MoveItem(row, num);
        SetCell(row, ToneColEmergency, std::to_string(num));
        return kCommitOk;
    }
    if (!Trim(text).empty()) return kCommitInvalid;
    SetCell(row, ToneColEmergency, "");
    return kCommitEmptied;
}

void FiveToneList::MoveItem(int curLine, int curEmerg) {
    for (int i = 1; i <= kToneLines; ++i) {
        if (i == curLine || StrToIntDef(Cell(i, ToneColEmergency)) != curEmerg) continue;
        if (curEmerg < kMaxEmergency) {
            SetCell(i, ToneColEmergency, std::to_string(curEmerg + 1));
            MoveItem(i, curEmerg + 1);
        } else {
            SetCell(i, ToneColEmergency, "");
        }
    }
}

bool FiveToneList::IsSpecialLine(const EditorData& d, int row) {
    if (!IsLine(row)) return false;
    const auto& sd = d.SpecialData()[static_cast<size_t>(row)];
    // A call to another user without reply is of the plain kind, marked in kSpecOtherUser.
    return sd[kSpecKind] != kKindPlain || sd[kSpecOtherUser] == kOtherUserMark;
}

void FiveToneList::ClearSpecialLine(EditorData& d, int row) {
    if (!IsLine(row)) return;
    for (int c = ToneColCall; c <= ToneColTries; ++c) SetCell(row, c, "");
    SpecialLine cleared;
    cleared[kSpecKind] = kKindPlain;
    d.SetSpecialLine(row, cleared, RecordWrite::Quiet);
}

FiveToneList& AcquireFiveToneList(EditorData& d) {
    if (!d.PendingFiveTone) {
        d.PendingFiveTone = std::make_shared<FiveToneList>();
        d.PendingFiveTone->Load(d);
    }
    return *d.PendingFiveTone;
}

void DiscardPendingFiveTone(EditorData& d) { d.PendingFiveTone.reset(); }

} // namespace vt
