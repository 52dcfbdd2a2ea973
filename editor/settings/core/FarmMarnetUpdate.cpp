#include "editor/settings/core/FarmMarnetUpdate.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

namespace vt {

namespace {
std::string PaddedPosition(const std::string& position) {
    return position.size() == 1 ? "0" + position : position;
}

// Grid writes stay on channel rows; the dialog's checks should keep them there anyway. The farm
// dialog's OK marks the data set once the whole update is done.
void SetChannelCell(EditorData& d, const std::string& rowText, int col, const std::string& text) {
    auto r = ToWhole(rowText);
    if (!r || *r < 1 || *r > d.MFG.Rows() - 2) return;
    d.SetCell(static_cast<int>(*r), col, text, RecordWrite::Quiet);
}

void SetToneLine(FiveToneList& list, int n, const std::string& c1, const std::string& c3, const std::string& c4,
                 const std::string& c5) {
    list.SetCell(n, 1, c1);
    list.SetCell(n, 2, "ZVEI1");
    list.SetCell(n, 3, c3);
    list.SetCell(n, 4, c4);
    list.SetCell(n, 5, c5);
}

void ApplyMarnet(EditorData& d, const std::vector<std::string>& f) {
    FiveToneList& list = AcquireFiveToneList(d);
    const std::string m = InsertRepeatTone(f[6]);
    list.OwnID = m;
    list.MarnetLabel = f[7];
    auto maxch = ToWhole(f[7]);
    // Channels per area become maxch - 1; a maximum the dialog would refuse leaves the record.
    const bool shapeOk = maxch && *maxch >= 2 && *maxch <= kMaxChannels;
    if (auto opt = OptionRecordFields(d.RadioOption()); opt && shapeOk) {
        (*opt)[1] = IntText(*maxch - 1);
        (*opt)[16] = "2";
        (*opt)[17] = "100";
        (*opt)[31] = "1";
        // The farm dialog's OK marks the data set once the whole update is done.
        d.SetRadioOption(JoinFields(*opt), RecordWrite::Quiet);
        AdjustArea_Marnet(d);
        ValidateP(d);
        ValidateT(d);
        UpdateAreaNo(d);
        // Key F2 may have been ACS; the SCAN letters follow the keys.
        UpdateScan(d);
    }
    SetChannelCell(d, f[7], 1, f[9]);
    SetChannelCell(d, f[7], 2, f[9]);
    SetChannelCell(d, f[7], 4, "MARNET");
    SetToneLine(list, 100, "MARNET " + m, "MARNET BASE", f[7], "3");
    d.SetSpecialField(100, 1, "10", RecordWrite::Quiet);
    d.SetSpecialField(100, 10, m, RecordWrite::Quiet);
    if (f[8] == "1") AddSecondRec(d, f[9]);
}

void ApplyFarmcall(EditorData& d, const std::vector<std::string>& f) {
    FiveToneList& list = AcquireFiveToneList(d);
    list.FarmcallLabel = f[1];
    list.RingLabel = f[2];
    list.FarmChannelLabel = f[3];
    SetChannelCell(d, f[3], 1, f[4]);
    SetChannelCell(d, f[3], 2, f[4]);
    SetChannelCell(d, f[3], 4, "FARMCALL");
    const std::string c = FarmCallText(f[1], f[2]);
    const std::string code = FarmCallCode(f[1], f[2]);
    SetToneLine(list, 98, c, c, f[5] == "1" ? f[7] : "200", "3");
    list.SetCell(98, 6, "1");
    list.MoveItem(98, 1);
    d.SetSpecialField(98, 1, "6", RecordWrite::Quiet);
    d.SetSpecialField(98, 10, code, RecordWrite::Quiet);
    SetToneLine(list, 99, c, c, f[3], "2");
    list.SetCell(99, 6, "2");
    list.MoveItem(99, 2);
    d.SetSpecialField(99, 1, "6", RecordWrite::Quiet);
    d.SetSpecialField(99, 10, code, RecordWrite::Quiet);
    if (f[8] == "1") AddSecondRec(d, f[9]);
}

void SetAnswerFlags(EditorData& d, const std::vector<std::string>& f) {
    if (f[8] == "1") {
        d.SetCell(d.MFG.Rows() - 1, 11, "AP", RecordWrite::Quiet);
        return;
    }
    if (f[0] == "1" && f[5] == "0") SetChannelCell(d, f[3], 11, "AP");
    if (f[5] == "1") SetChannelCell(d, f[7], 11, "AP");
}
} // namespace

std::string FarmCallCode(const std::string& groupId, const std::string& position) {
    std::string pos = PaddedPosition(position);
    return groupId + pos + (pos.empty() ? std::string() : pos.substr(pos.size() - 1));
}

std::string FarmCallText(const std::string& groupId, const std::string& position) {
    std::string pos = PaddedPosition(position);
    // The appended last digit is added after the repeat marking and is not marked itself.
    return "FARMCALL " + InsertRepeatTone(groupId + pos) + (pos.empty() ? std::string() : pos.substr(pos.size() - 1));
}

void UpdateFarmInfo(EditorData& d, bool marnetWasOn) {
    auto f = Split(d.FarmMarnetInfo());
    if (f.size() != kFarmFieldCount) return;
    const bool marnetOn = f[5] == "1";
    if (marnetOn) {
        ApplyMarnet(d, f);
    } else if (marnetWasOn) {
        // MARNET switched off: the extra MARNET row goes again.
        AdjustArea_Marnet(d);
        UpdateAreaNo(d);
    }
    if (f[0] == "1") ApplyFarmcall(d, f);
    SetAnswerFlags(d, f);
}

} // namespace vt
