#include "editor/shell/core/ChannelReport.h"

#include "common/Cp1252.h"
#include "common/TextUtil.h"
#include "editor/dataset/EditorData.h"

#include <stdexcept>

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
// Columns after the names (columns 1 and 2 come before them).
const ColumnLayout kAfterNames[] = {{5, "  ", "0.0"},  {6, "     ", "0.0"}, {7, "     ", "0"},
                                    {8, "     ", "0"},  {9, "     ", "No"}, {10, "   ", "No"},
                                    {11, "   ", "No"},  {12, "   ", "No"},  {13, "   ", "No"},
                                    {14, "   ", "No"},  {15, "   ", "No"}};

struct ReportError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string CellOr(const EditorData& d, int r, int c, const char* empty) {
    const std::string& t = d.MFG.TextMatrix(r, c);
    return t.empty() ? std::string(empty) : t;
}

std::string ChannelLine(const EditorData& d, int r) {
    std::string line = std::to_string(r);
    line += "   " + CellOr(d, r, 1, "0.0000");
    line += "   " + CellOr(d, r, 2, "0.0000");
    std::string names = d.MFG.TextMatrix(r, ColName1) + d.MFG.TextMatrix(r, ColName2);
    int n = static_cast<int>(Utf8Length(names));
    if (n <= 24) line += " " + names + RepeatString(" ", 24 - n);
    for (const auto& c : kAfterNames) line += c.sep + CellOr(d, r, c.col, c.empty);
    return line;
}

std::string Item(const std::vector<std::string>& list, const std::string& field, const char* what) {
    auto idx = ToInt16(field);
    if (!idx || *idx < 0 || *idx >= static_cast<int>(list.size()))
        throw ReportError(std::string("The ") + what + " value \"" + field + "\" is not one of its list items.");
    return list[static_cast<size_t>(*idx)];
}

std::string Flag(const std::string& label, const std::string& v) { return label + (v == "0" ? "NO" : "YES"); }

void OptionLines(std::vector<std::string>& out, const std::vector<std::string>& f, const ReportLists& lists) {
    auto cr = [&](std::string s) { out.push_back(s + "\r"); };
    cr("Num Of Area:  " + f[0]);
    cr("CH In Each Area:  " + f[1]);
    cr(Flag("FS ON:  ", f[2]));
    cr(Flag("FS OFF:  ", f[3]));
    cr(Flag("ALLOWSCAN:  ", f[4]));
    cr("SCAN TIME:  " + f[5]);
    cr("RESUM TIME:  " + f[6]);
    cr(Flag("BEEP:  ", f[7]));
    cr("CALLPTIME:  " + f[8]);
    cr("PTTTIMEOUT:  " + f[9]);
    cr("PTTLANI:  " + f[10]);
    cr("WAITANSWER:  " + f[11]);
    cr("REPEATER  " + f[12]);
    out.push_back("ROUND:  " + f[13] + "\r\r");
    const char* keys[] = {"FUN KEY1:  ", "FUN KEY2:  ", "FUN KEY3:  ", "FUN KEY4:  "};
    for (int i = 0; i < 4; ++i)
        cr(keys[i] + Item(lists.functionKeys, f[14 + 2 * i], "function key") + "  SEL CAL" + f[15 + 2 * i]);
    out.push_back("PIN FUN KEY:  " + Item(lists.pinFunctions, f[22], "alarm input function") + "  SEL CAL" + f[23] +
                  "\r\r");
    auto change = [&](const char* label, int k, int m) {
        cr(f[k] == "0" ? std::string(label) + "NO" + " : " + f[m] : std::string(label) + "YES");
    };
    change("MUTE CHANG: ", 24, 37);
    change("AREA CHANG: ", 25, 38);
    change("VOL CHANG: ", 26, 35);
    change("CHN CHANG: ", 28, 36);
    cr(Flag("CALL SEL: ", f[27]));
    cr(Flag("NUI DEL: ", f[29]));
    cr(Flag("MONI KEY: ", f[30]));
    cr(Flag("USE LAST: ", f[31]));
    cr(Flag("5T AUTO: ", f[32]));
    cr("HEAD DIAL: " + f[33]);
    cr("CTCSS SENI: " + f[34]);
}

void FarmLines(std::vector<std::string>& out, const std::vector<std::string>& g) {
    auto cr = [&](std::string s) { out.push_back(s + "\r"); };
    cr(Flag("FARMCALL: ", g[0]));
    cr("GroupID: " + g[1]);
    cr("POSITION: " + g[2]);
    cr("FARM CHN: " + g[3]);
    cr("FARM FREQ: " + g[4]);
    cr(Flag("MARNET: ", g[5]));
    cr("MAR ID " + g[6]);
    cr("MAX CHNS: " + g[7]);
    cr(Flag("SEC REC: ", g[8]));
    cr("SEC FREQ: " + g[9]);
}

void ToneInfoLines(std::vector<std::string>& out, const std::vector<std::string>& t, const ReportLists& lists) {
    auto cr = [&](std::string s) { out.push_back(s + "\r"); };
    cr("5TONE ID: " + t[0]);
    cr("TONESET " + Item(lists.toneSets, t[1], "tone set"));
    cr(Flag("PG CALL: ", t[2]));
    cr(Flag("HOOKER: ", t[3]));
    cr("BLOW: " + t[4]);
    cr(Flag("SPEAKER: ", t[5]));
}

// The call tone goes right after the line number, where the title line names it.
std::string ToneChannelLine(int i, const std::string& entry) {
    auto f = Split(entry);
    if (f.size() != 6) f.assign(6, std::string());
    return std::to_string(i) + "  " + f[0] + "  " + f[1] + "  " + f[2] + "   " + f[3] + "     " + f[4] + "   " + f[5];
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
        res.error = e.what();
    }
    return res;
}

std::string ReportFileText(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

} // namespace vt
