#include "editor/settings/core/FarmMarnetUpdate.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/core/OptionLists.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/image/CallTexts.h"
#include "editor/image/GridShape.h"
#include "editor/image/SettingsFieldNames.h"

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

bool IsOn(const std::vector<std::string>& f, FarmField flag) { return f[flag] == "1"; }

// The list columns a FARMCALL or MARNET line writes; the emergency number is set apart.
void SetToneLine(FiveToneList& list, int n, const std::string& call, const std::string& ident,
                 const std::string& channel, const std::string& tries) {
    list.SetCell(n, ToneColCall, call);
    list.SetCell(n, ToneColToneSet, std::string(kCallToneSet));
    list.SetCell(n, ToneColIdent, ident);
    list.SetCell(n, ToneColChannel, channel);
    list.SetCell(n, ToneColTries, tries);
}

// The line's special call: its kind and its code.
void SetSpecialCall(EditorData& d, int n, const char* kind, const std::string& code) {
    d.SetSpecialField(n, kSpecKind, kind, RecordWrite::Quiet);
    d.SetSpecialField(n, kSpecId, code, RecordWrite::Quiet);
}

// A FARMCALL line with its emergency number, which the other lines give up.
void SetFarmcallLine(FiveToneList& list, EditorData& d, int n, const std::string& text, const std::string& code,
                     const std::string& channel, const std::string& tries, int emergency) {
    SetToneLine(list, n, text, text, channel, tries);
    list.SetCell(n, ToneColEmergency, IntText(emergency));
    list.MoveItem(n, emergency);
    SetSpecialCall(d, n, kKindFarmcall, code);
}

void ApplyMarnet(EditorData& d, const std::vector<std::string>& f, std::vector<DroppedChannel>& dropped) {
    FiveToneList& list = AcquireFiveToneList(d);
    const std::string m = InsertRepeatTone(f[kMarnetId]);
    const std::string& baseChannel = f[kMarnetMaxChannels]; // the maximum is the base channel too
    list.OwnID = m;
    list.MarnetLabel = baseChannel;
    auto maxch = ToWhole(baseChannel);
    // Channels per area become maxch - 1; a maximum the dialog would refuse leaves the record.
    const bool shapeOk = maxch && *maxch >= 2 && *maxch <= kMaxChannels;
    if (auto opt = OptionRecordFields(d.RadioOption()); opt && shapeOk) {
        (*opt)[kOptChInArea] = IntText(*maxch - 1);
        // Key F2 calls the MARNET base line.
        (*opt)[kOptComboF2] = IntText(OptionLists::kKeySelectCall);
        (*opt)[kOptTxtF2] = IntText(kMarnetBaseLine);
        (*opt)[kOptUselast] = "1";
        // The farm dialog's OK marks the data set once the whole update is done.
        d.SetRadioOption(JoinFields(*opt), RecordWrite::Quiet);
        dropped = AdjustArea_Marnet(d);
        ValidateP(d);
        ValidateT(d);
        UpdateAreaNo(d);
        // Key F2 may have been ACS; the SCAN letters follow the keys.
        UpdateScan(d);
    }
    // The base channel works on the second receiver's frequency.
    SetChannelCell(d, baseChannel, ColTxFreq, f[kSecondRxFrequency]);
    SetChannelCell(d, baseChannel, ColRxFreq, f[kSecondRxFrequency]);
    SetChannelCell(d, baseChannel, ColName2, "MARNET");
    SetToneLine(list, kMarnetBaseLine, MarnetText(m), "MARNET BASE", baseChannel, "3");
    SetSpecialCall(d, kMarnetBaseLine, kKindNetwork, m);
    if (IsOn(f, kSecondRxOn)) AddSecondRec(d, f[kSecondRxFrequency]);
}

void ApplyFarmcall(EditorData& d, const std::vector<std::string>& f) {
    FiveToneList& list = AcquireFiveToneList(d);
    const std::string& channel = f[kFarmChannel];
    list.FarmcallLabel = f[kFarmGroupId];
    list.RingLabel = f[kFarmPosition];
    list.FarmChannelLabel = channel;
    SetChannelCell(d, channel, ColTxFreq, f[kFarmFrequency]);
    SetChannelCell(d, channel, ColRxFreq, f[kFarmFrequency]);
    SetChannelCell(d, channel, ColName2, "FARMCALL");
    const std::string c = FarmCallText(f[kFarmGroupId], f[kFarmPosition]);
    const std::string code = FarmCallCode(f[kFarmGroupId], f[kFarmPosition]);
    // The first line points at the MARNET base channel, or at the last channel without MARNET.
    const std::string firstChannel = IsOn(f, kMarnetOn) ? f[kMarnetMaxChannels] : IntText(kMaxChannels);
    SetFarmcallLine(list, d, kFarmcallLine1, c, code, firstChannel, "3", 1);
    SetFarmcallLine(list, d, kFarmcallLine2, c, code, channel, "2", 2);
    if (IsOn(f, kSecondRxOn)) AddSecondRec(d, f[kSecondRxFrequency]);
}

// The channel that answers automatically: the second receiver's row when it is on.
void SetAnswerFlags(EditorData& d, const std::vector<std::string>& f) {
    if (IsOn(f, kSecondRxOn)) {
        d.SetCell(d.MFG.Rows() - 1, ColFiveTone, "AP", RecordWrite::Quiet);
        return;
    }
    if (IsOn(f, kFarmOn) && f[kMarnetOn] == "0") SetChannelCell(d, f[kFarmChannel], ColFiveTone, "AP");
    if (IsOn(f, kMarnetOn)) SetChannelCell(d, f[kMarnetMaxChannels], ColFiveTone, "AP");
}
} // namespace

std::string FarmCallCode(const std::string& groupId, const std::string& position) {
    std::string pos = PaddedPosition(position);
    return groupId + pos + (pos.empty() ? std::string() : pos.substr(pos.size() - 1));
}

std::string FarmCallText(const std::string& groupId, const std::string& position) {
    std::string pos = PaddedPosition(position);
    // The appended last digit is added after the repeat marking and is not marked itself.
    return FarmcallText(InsertRepeatTone(groupId + pos)) + (pos.empty() ? std::string() : pos.substr(pos.size() - 1));
}

std::vector<DroppedChannel> UpdateFarmInfo(EditorData& d) {
    auto f = Split(d.FarmMarnetInfo());
    if (f.size() != kFarmFieldCount) return {};
    std::vector<DroppedChannel> dropped;
    if (IsOn(f, kMarnetOn)) ApplyMarnet(d, f, dropped);
    // MARNET switched off takes its row, the second receiver switched off its Rx.
    for (auto& lost : FitGridToRecords(d)) dropped.push_back(std::move(lost));
    if (IsOn(f, kFarmOn)) ApplyFarmcall(d, f);
    SetAnswerFlags(d, f);
    return dropped;
}

} // namespace vt
