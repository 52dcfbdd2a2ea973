#include "editor/shell/core/ChannelReport.h"

#include "common/Cp1252.h"
#include "common/TextUtil.h"
#include "editor/dataset/DataTexts.h"
#include "editor/dataset/EditorData.h"
#include "editor/image/GridShape.h"
#include "editor/image/SettingsFieldNames.h"


namespace vt {

namespace {
const char* kTitle = "CH  TXFREQ    RXFREQ         CHANNEL ID          CTCENC CTCDEC DCSENC DCSDEC BCLO SCAN  "
                     "5TREP ANI  SELCAL  SETDEV  SATDEV POWER";
const char* kToneTitle =
    "No  CALL TONE/TYPE        TONESET   IDENTIFICATION             CHANNEL   TRIES   EMERGENCY";

struct ColumnLayout {
    int col;
    const char* sep;
    const char* empty;
};
// Columns after the names (the two frequencies come before them).
const ColumnLayout kAfterNames[] = {
    {ColCtcssEnc, "  ", "0.0"}, {ColCtcssDec, "     ", "0.0"}, {ColDcsEnc, "     ", "0"}, {ColDcsDec, "     ", "0"},
    {ColBcl, "     ", "No"},    {ColScan, "   ", "No"},        {ColFiveTone, "   ", "No"}, {ColAni, "   ", "No"},
    {ColSelCall, "   ", "No"},  {ColCtDev, "   ", "No"},       {ColPower, "   ", "No"}};
// Room for both name lines; longer names leave the line without them.
constexpr int kNamesWidth = 24;

// A list field whose value is no item of its list: option field or 5-tone setting `field`.
struct ReportError {
    bool toneSetting;
    int field;
    std::string value;
};

std::string CellOr(const EditorData& d, int r, int c, const char* empty) {
    const std::string& t = d.MFG.TextMatrix(r, c);
    return t.empty() ? std::string(empty) : t;
}

std::string ChannelLine(const EditorData& d, int r) {
    std::string line = std::to_string(r);
    line += "   " + CellOr(d, r, ColTxFreq, "0.0000");
    line += "   " + CellOr(d, r, ColRxFreq, "0.0000");
    std::string names = d.MFG.TextMatrix(r, ColName1) + d.MFG.TextMatrix(r, ColName2);
    int n = static_cast<int>(Utf8Length(names));
    if (n <= kNamesWidth) line += " " + names + RepeatString(" ", kNamesWidth - n);
    for (const auto& c : kAfterNames) line += c.sep + CellOr(d, r, c.col, c.empty);
    return line;
}

std::string Item(const std::vector<std::string>& list, const std::vector<std::string>& fields, int field,
                 bool toneSetting = false) {
    const std::string& value = fields[static_cast<size_t>(field)];
    auto idx = ToInt16(value);
    if (!idx || *idx < 0 || *idx >= static_cast<int>(list.size())) throw ReportError{toneSetting, field, value};
    return list[static_cast<size_t>(*idx)];
}

std::string Flag(const std::string& label, const std::string& v) { return label + (v == "0" ? "NO" : "YES"); }

void OptionLines(std::vector<std::string>& out, const std::vector<std::string>& f, const ReportLists& lists) {
    auto cr = [&](std::string s) { out.push_back(s + "\r"); };
    cr("Num Of Area:  " + f[kOptNumberArea]);
    cr("CH In Each Area:  " + f[kOptChInArea]);
    cr(Flag("FS ON:  ", f[kOptFSon]));
    cr(Flag("FS OFF:  ", f[kOptFSoff]));
    cr(Flag("ALLOWSCAN:  ", f[kOptAScan]));
    cr("SCAN TIME:  " + f[kOptScanTCh]);
    cr("RESUM TIME:  " + f[kOptResumeSTime]);
    cr(Flag("BEEP:  ", f[kOptBeep]));
    cr("CALLPTIME:  " + f[kOptCallPtime]);
    cr("PTTTIMEOUT:  " + f[kOptPTTTimeout]);
    cr("PTTLANI:  " + f[kOptPTTLANI]);
    cr("WAITANSWER:  " + f[kOptWaitAnswer]);
    cr("REPEATER  " + f[kOptRepeater]);
    out.push_back("ROUND:  " + f[kOptRound] + "\r\r");
    struct Key {
        const char* label;
        OptionField item, number;
    };
    const Key keys[] = {{"FUN KEY1:  ", kOptComboF1, kOptTxtF1},
                        {"FUN KEY2:  ", kOptComboF2, kOptTxtF2},
                        {"FUN KEY3:  ", kOptComboF3, kOptTxtF3},
                        {"FUN KEY4:  ", kOptComboF4, kOptTxtF4}};
    for (const Key& k : keys)
        cr(k.label + Item(lists.functionKeys, f, k.item) + "  SEL CAL" + f[k.number]);
    out.push_back("PIN FUN KEY:  " + Item(lists.pinFunctions, f, kOptComboFunction) +
                  "  SEL CAL" + f[kOptTxtFunction] + "\r\r");
    // A change the radio does not allow shows the fixed value it keeps instead.
    auto change = [&](const char* label, OptionField allowed, OptionField fixed) {
        cr(f[allowed] == "0" ? std::string(label) + "NO" + " : " + f[fixed] : std::string(label) + "YES");
    };
    change("MUTE CHANG: ", kOptMutechange, kOptMuteChange);
    change("AREA CHANG: ", kOptAreachange, kOptDefaultArea);
    change("VOL CHANG: ", kOptVolumechange, kOptVolume);
    change("CHN CHANG: ", kOptChannelchange, kOptDefaultChannel);
    cr(Flag("CALL SEL: ", f[kOptCallselect]));
    cr(Flag("NUI DEL: ", f[kOptNuisancedelete]));
    cr(Flag("MONI KEY: ", f[kOptMonitorkey]));
    cr(Flag("USE LAST: ", f[kOptUselast]));
    cr(Flag("5T AUTO: ", f[kOpt5Toneauto]));
    cr("HEAD DIAL: " + f[kOptHeadDial]);
    cr("CTCSS SENI: " + f[kOptCTsen]);
}

void FarmLines(std::vector<std::string>& out, const std::vector<std::string>& g) {
    auto cr = [&](std::string s) { out.push_back(s + "\r"); };
    cr(Flag("FARMCALL: ", g[kFarmOn]));
    cr("GroupID: " + g[kFarmGroupId]);
    cr("POSITION: " + g[kFarmPosition]);
    cr("FARM CHN: " + g[kFarmChannel]);
    cr("FARM FREQ: " + g[kFarmFrequency]);
    cr(Flag("MARNET: ", g[kMarnetOn]));
    cr("MAR ID " + g[kMarnetId]);
    cr("MAX CHNS: " + g[kMarnetMaxChannels]);
    cr(Flag("SEC REC: ", g[kSecondRxOn]));
    cr("SEC FREQ: " + g[kSecondRxFrequency]);
}

void ToneInfoLines(std::vector<std::string>& out, const std::vector<std::string>& t, const ReportLists& lists) {
    auto cr = [&](std::string s) { out.push_back(s + "\r"); };
    cr("5TONE ID: " + t[kToneOwnId]);
    cr("TONESET " + Item(lists.toneSets, t, kToneSetIndex, true));
    cr(Flag("PG CALL: ", t[kTonePgCall]));
    cr(Flag("HOOKER: ", t[kToneHooker]));
    cr("BLOW: " + t[kToneBlow]);
    cr(Flag("SPEAKER: ", t[kToneSpeaker]));
}

// The call tone goes right after the line number, where the title line names it.
std::string ToneChannelLine(int i, const std::string& entry) {
    auto f = Split(entry);
    if (f.size() != kToneLineFields) f.assign(kToneLineFields, std::string());
    return std::to_string(i) + "  " + f[kLineText] + "  " + f[kLineStandard] + "  " + f[kLineIdent] + "   " +
           f[kLineChannel] + "     " + f[kLineTries] + "   " + f[kLineEmergency];
}
} // namespace

std::string RepeatString(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += text;
    return out;
}

ReportResult ChannelReport(const EditorData& d, const ReportLists& lists) {
    ReportResult res;
    auto& out = res.lines;
    try {
        out.push_back("");
        out.push_back(std::string(kTitle) + "\r");
        for (int r = 1; r < d.MFG.Rows(); ++r) out.push_back(ChannelLine(d, r) + "\r");
        out.push_back("Radio Option---\r");
        if (auto f = Split(d.RadioOption()); f.size() == kOptionFieldCount) OptionLines(out, f, lists);
        out.push_back("FARMCALL AND MARNET INFO---\r");
        if (auto g = Split(d.FarmMarnetInfo()); g.size() == kFarmFieldCount) FarmLines(out, g);
        out.push_back("5TONE INFO---\r");
        if (auto t = Split(d.FiveToneInfo()); t.size() == kToneInfoFieldCount) ToneInfoLines(out, t, lists);
        out.push_back("5TONE CHANNELS INFO---\r");
        out.push_back(std::string(kToneTitle) + "\r");
        for (int i = 1; i <= kToneLines; ++i)
            out.push_back(ToneChannelLine(i, d.FiveToneChannels()[i]) + "\r");
        out.push_back("AREA NAME INFO---\r");
        for (int i = 1; i <= kMaxAreas; ++i)
            out.push_back("AREA " + std::to_string(i) + ":  " + d.AreaNames()[i] + "\r");
    } catch (const ReportError& e) {
        res.lines.clear();
        const std::string name = e.toneSetting ? ToneFieldText(d.Lang, e.field) : OptionFieldText(d.Lang, e.field);
        res.error = DataText(d.Lang, DataMsg::NotAListItem, {name, e.value});
    }
    return res;
}

std::string ReportFileText(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

} // namespace vt
