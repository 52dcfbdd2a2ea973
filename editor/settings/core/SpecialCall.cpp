#include "editor/settings/core/SpecialCall.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/dataset/EditorData.h"
#include "editor/image/CallTexts.h"
#include "editor/image/GridShape.h"
#include "editor/image/SettingsFieldNames.h"

namespace vt {

namespace {
// "CURRENT" or a channel 1..200, as the channel lists offer them.
bool IsChannelChoice(const std::string& s) { return s == kCurrentChannel || IsPlainNumberIn(s, 1, kMaxChannels); }

bool IsLevel(const std::string& s) {
    for (const char* l : kPinLevels)
        if (s == l) return true;
    return false;
}

SpecialCheck Fail(int problem, const char* control) { return SpecialCheck{problem, control}; }

SpecialCheck CheckStationId(const std::string& id, const char* control) {
    int p = CheckIdBox(control, id);
    return p == kSpecialOk ? SpecialCheck{} : Fail(p, control);
}

SpecialCheck CheckText(const std::string& text, const char* control) {
    if (text.find('|') != std::string::npos) return Fail(kTextHasBar, control);
    // The text becomes the line's identification: the same rule as typing it into the list.
    if (!IdentificationFits(text)) return Fail(kTextNotStorable, control);
    return {};
}

using Line = std::array<std::string, kSpecialFields + 1>;

// The emergency call takes the first emergency number of the list.
constexpr int kEmergencyNumber = 1;
// The own ID's first three digits go into the emergency call, the last two name its line.
constexpr size_t kOwnIdLineAt = 3;

// Empties every field after the kind: a field the new call does not write must not survive from
// the line's former call.
void ClearAfterKind(Line& sd) {
    for (int k = kSpecKind + 1; k <= kSpecialFields; ++k) sd[static_cast<size_t>(k)].clear();
}

const std::string kCurrent(kCurrentChannel), kToneSet(kCallToneSet);

// The list columns a special call writes; its emergency number is left alone.
void Row(FiveToneList& list, int row, const std::string& call, const std::string& toneSet, const std::string& ident,
         const std::string& channel, const std::string& tries) {
    list.SetCell(row, ToneColCall, call);
    list.SetCell(row, ToneColToneSet, toneSet);
    list.SetCell(row, ToneColIdent, ident);
    list.SetCell(row, ToneColChannel, channel);
    list.SetCell(row, ToneColTries, tries);
}

void InstallEmergency(EditorData& d, FiveToneList& list, const SpecialCallEntry& e) {
    std::string first3 = e.ownId.substr(0, kOwnIdLineAt);
    std::string last2 = e.ownId.substr(kOwnIdLineAt, 2);
    int line = StrToIntDef(last2);
    Row(list, line, std::string(kEmergencyCallText), kToneSet, "MY RADIO NO " + last2, e.emergencyChannel, "3");
    list.SetCell(line, ToneColEmergency, IntText(kEmergencyNumber));
    list.MoveItem(line, kEmergencyNumber);
    Line sd = d.SpecialData()[static_cast<size_t>(line)];
    ClearAfterKind(sd);
    sd[kSpecKind] = kKindEmergency;
    sd[kSpecId] = e.emergencyChannel;
    sd[kSpecNumber] = first3;
    // A working write of the open 5-tone dialog: its OK marks the data set, its Cancel undoes this.
    d.SetSpecialLine(line, sd, RecordWrite::Quiet);
    // The emergency channel answers automatically and says so in its second name line.
    if (auto c = ToWhole(e.emergencyChannel); c && *c >= 1 && *c <= d.MFG.Rows() - 2) {
        d.SetCell(static_cast<int>(*c), ColFiveTone, "P", RecordWrite::Quiet);
        d.SetCell(static_cast<int>(*c), ColName2, "EMERGENCY", RecordWrite::Quiet);
    }
}
} // namespace

int CheckID(const std::string& id) {
    if (id.size() != 5) return kIdBadLength;
    return IsToneString(id) ? kSpecialOk : kIdBadChar;
}

int CheckIdBox(std::string_view control, const std::string& id) {
    if (control == "txtOtherId") return CheckOtherId(id);
    int p = CheckID(id);
    bool noGroupMark = control == "txtID3" || control == "txtID4" || control == "txtMarnetId";
    if (p == kSpecialOk && noGroupMark && id.find('G') != std::string::npos) return kIdGroupMark;
    return p;
}

int CheckOtherId(const std::string& id) { return id.size() == 5 && IsDigits(id) ? kSpecialOk : kOtherIdNotDigits; }

bool OwnIdAllowsEmergency(const std::string& ownId) {
    return ownId.size() == 5 && IsDigits(ownId) && ownId.substr(kOwnIdLineAt) != "00";
}

std::string TwoDigits(const std::string& text) {
    if (IsDigits(text) && text.size() == 1) return "0" + text;
    return text;
}

SpecialCheck CheckSpecialCall(const SpecialCallEntry& e) {
    if (!IsPlainNumberIn(e.line, 1, kToneLines)) return Fail(kBadChoice, "cmbChannel");
    switch (e.type) {
    case kCodeRequest:
        if (auto c = CheckStationId(e.outstation, "txtOutstation"); c.problem) return c;
        if (!IsPlainNumberIn(e.pin, 1, kMaxPin)) return Fail(kBadChoice, "cmbPine");
        if (!IsLevel(e.pinLevel)) return Fail(kBadChoice, "cmbPineH");
        return {};
    case kAlarmQuery: return CheckStationId(e.query, "txtQuery");
    case kAlarmInstruction:
        if (auto c = CheckStationId(e.id3, "txtID3"); c.problem) return c;
        if (!IsPlainNumberIn(e.alarmNo, 1, kMaxAlarmNumber)) return Fail(kBadChoice, "cmbAlarmno");
        return {};
    case kPanicCall:
        if (auto c = CheckStationId(e.id4, "txtID4"); c.problem) return c;
        if (!IsPlainNumberIn(e.panicNo, 1, kMaxAlarmNumber)) return Fail(kBadChoice, "cmbPanicno");
        return {};
    case kEmergency:
        if (!OwnIdAllowsEmergency(e.ownId)) return Fail(kOwnIdNoEmergency, "cmbType");
        if (!IsChannelChoice(e.emergencyChannel)) return Fail(kBadChoice, "cmbEmch");
        return {};
    case kNetworkCall: return CheckStationId(e.marnetId, "txtMarnetId");
    case kOtherUser:
        if (CheckOtherId(e.otherId)) return Fail(kOtherIdNotDigits, "txtOtherId");
        if (auto c = CheckText(e.person, "txtPerson"); c.problem) return c;
        if (!IsChannelChoice(e.channel2)) return Fail(kBadChoice, "cmbCh2");
        if (e.preMessage && !IsPlainNumberIn(e.msgNum, 1, kMaxMessageNumber)) return Fail(kBadChoice, "cmbMsgNum");
        return {};
    case kReceivedMessage: return CheckText(e.message, "txtRmsg");
    default: return Fail(kBadChoice, "cmbType");
    }
}

int InstallSpecialCall(EditorData& d, FiveToneList& list, const SpecialCallEntry& e) {
    if (auto c = CheckSpecialCall(e); c.problem) return c.problem;
    if (e.type == kEmergency) {
        InstallEmergency(d, list, e);
        return kSpecialOk;
    }
    int n = StrToIntDef(e.line);
    Line sd = d.SpecialData()[static_cast<size_t>(n)];
    ClearAfterKind(sd);
    switch (e.type) {
    case kCodeRequest: {
        std::string id = InsertRepeatTone(e.outstation);
        Row(list, n, CodeFetchText(id, e.pin, e.pinLevel), kToneSet, id + " P" + e.pin + " " + e.pinLevel,
            kCurrent, "1");
        sd[kSpecKind] = kKindCodeFetch;
        sd[kSpecId] = id;
        sd[kSpecNumber] = e.pin;
        sd[kSpecLevel] = e.pinLevel;
        break;
    }
    case kAlarmQuery: {
        std::string id = InsertRepeatTone(e.query);
        Row(list, n, QueryAlarmText(id), kToneSet, "QUERY AL " + id, kCurrent, "1");
        sd[kSpecKind] = kKindCodeFetch;
        sd[kSpecId] = id;
        break;
    }
    case kAlarmInstruction: {
        std::string id = InsertRepeatTone(e.id3);
        Row(list, n, AlarmText(id), kToneSet, "ALARM TO BASE " + TwoDigits(e.alarmNo), kCurrent, "3");
        sd[kSpecKind] = kKindAlarm;
        sd[kSpecId] = id;
        sd[kSpecNumber] = e.alarmNo;
        break;
    }
    case kPanicCall: {
        std::string id = InsertRepeatTone(e.id4);
        Row(list, n, PanicText(id), kToneSet, "PANIC TO BASE " + TwoDigits(e.panicNo), kCurrent, "3");
        sd[kSpecKind] = kKindPanic;
        sd[kSpecId] = id;
        sd[kSpecNumber] = e.panicNo;
        break;
    }
    case kNetworkCall: {
        std::string id = InsertRepeatTone(e.marnetId);
        Row(list, n, MarnetText(id), kToneSet, MarnetText(id), kCurrent, "3");
        sd[kSpecKind] = kKindNetwork;
        sd[kSpecId] = id;
        break;
    }
    case kOtherUser: {
        std::string id = InsertRepeatTone(e.otherId);
        std::string text = CallText(id);
        if (e.preMessage) text = WithMessageNumber(text, e.msgNum);
        Row(list, n, text, kToneSet, e.person, e.channel2, "1");
        sd[kSpecKind] = e.decReply ? kKindReply : kKindPlain;
        if (!e.decReply) sd[kSpecOtherUser] = kOtherUserMark;
        sd[kSpecId] = id;
        sd[kSpecNumber] = e.person;
        sd[kSpecLevel] = e.preMessage ? e.msgNum : std::string();
        sd[kSpecChannel] = e.channel2;
        break;
    }
    case kReceivedMessage:
        Row(list, n, "RECEIVED MESSAGE", "", e.message, "", "");
        sd[kSpecKind] = kKindMessage;
        sd[kSpecId] = e.message;
        break;
    default: break;
    }
    // A working write of the open 5-tone dialog, as for the emergency above.
    d.SetSpecialLine(n, sd, RecordWrite::Quiet);
    return kSpecialOk;
}

} // namespace vt
