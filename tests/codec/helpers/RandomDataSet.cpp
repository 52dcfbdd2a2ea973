#include "codec/helpers/RandomDataSet.h"

#include "codec/helpers/CodecFixture.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"
#include "editor/image/ToneLists.h"
#include "editor/codec/CodecText.h"
#include "editor/dataset/GridRules.h"

#include <algorithm>
#include <random>

namespace vt::test {
namespace {

struct Gen {
    std::mt19937 rng;
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool Chance(int percent) { return Int(1, 100) <= percent; }
    std::string IntS(int lo, int hi) { return IntText(Int(lo, hi)); }
    template <class T>
    const T& Pick(const std::vector<T>& v) { return v[static_cast<size_t>(Int(0, static_cast<int>(v.size()) - 1))]; }
    std::string Digits(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + Int(0, 9));
        return s;
    }
    std::string Text(int maxLen, const std::string& alphabet) {
        int n = Int(0, maxLen);
        std::string s;
        for (int i = 0; i < n; ++i) s += alphabet[static_cast<size_t>(Int(0, static_cast<int>(alphabet.size()) - 1))];
        return Trim(s);
    }
};

const std::string kNameChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -./";
const std::vector<std::string> kToneSets{"EXTEND", "ZVEI1", "ZVEI2", "DZVEI", "EEA", "CCIR"};

void Options(Gen& g, std::vector<std::string>& o, std::vector<std::string>& e, int areas, int per) {
    o[0] = IntText(areas);
    o[1] = IntText(per);
    for (int n : {2, 3, 4, 7, 24, 25, 26, 27, 28, 29, 30, 31, 32}) o[static_cast<size_t>(n)] = g.IntS(0, 1);
    o[5] = IntText(10 * g.Int(5, 90));
    o[6] = g.IntS(1, 25);
    o[8] = IntText(10 * g.Int(1, 250));
    o[9] = g.IntS(1, 250);
    o[10] = IntText(10 * g.Int(1, 250));
    o[11] = IntText(10 * g.Int(1, 250));
    o[12] = IntText(100 * g.Int(1, 50));
    o[13] = g.IntS(1, 9);
    const std::vector<int> keys{0, 1, 2, 3, 4, 6, 7};
    for (int k = 0; k < 4; ++k) {
        o[static_cast<size_t>(14 + 2 * k)] = IntText(g.Pick(keys));
        o[static_cast<size_t>(15 + 2 * k)] = g.IntS(1, 100);
    }
    o[22] = g.IntS(0, 1);
    o[23] = g.IntS(1, 100);
    o[33] = g.Chance(50) ? "CHANNEL" : "VOLUME";
    o[34] = g.Chance(50) ? "HIGH" : "LOW";
    o[35] = g.IntS(0, 15);
    o[36] = g.IntS(0, areas * per - 1); // counted through all areas
    o[37] = g.IntS(0, 15);
    o[38] = g.IntS(0, areas - 1);
    e = o;
    for (int k = 0; k < 4; ++k)
        if (o[static_cast<size_t>(14 + 2 * k)] == "3") e[static_cast<size_t>(15 + 2 * k)] = "1";
    if (o[26] == "1") e[35] = "1";
    if (o[28] == "1") e[36] = "0";
    if (o[24] == "1") e[37] = "12";
    if (o[25] == "1" || areas == 1) e[38] = "0";
}

std::string Frequency(Gen& g, int band) {
    double low = BandLow(band), high = BandHigh(band);
    int steps = static_cast<int>((high - low) / 0.0125);
    return FormatFixed(low + 0.0125 * g.Int(0, steps), 4);
}

// A tone of the list, or a free tone far enough from the list not to be snapped to it.
std::string Tone(Gen& g) {
    if (g.Chance(70)) return std::string(kStandardTones[static_cast<size_t>(g.Int(0, kStandardToneCount - 1))]);
    for (;;) {
        int t = g.Int(kCtcssFirstTenths, kCtcssLastTenths);
        bool near = false;
        for (int s : kStandardToneTenths) near = near || std::abs(s - t) <= 3;
        if (!near) return FormatFixed(t / 10.0, 1);
    }
}

// A station ID as the special-call dialog stores it: tone digits, doubles sent as "R".
std::string StationId(Gen& g) {
    static const std::string kDigits = "0123456789ABCDEFG";
    std::string s;
    for (int i = 0; i < 5; ++i) s += kDigits[static_cast<size_t>(g.Int(0, static_cast<int>(kDigits.size()) - 1))];
    return InsertRepeatTone(s);
}

// The ID a station ID reads back as: where two digits are sent alike ("R" and "A" with EXTEND,
// "G" and "A" in a code fetch of the other sets) the image cannot tell which one was typed.
std::string StationIdAsDecoded(std::string id, const std::string& toneSet, bool codeFetch) {
    for (char& ch : id)
        if ((toneSet == "EXTEND" && ch == 'R') || (codeFetch && toneSet != "EXTEND" && ch == 'G')) ch = 'A';
    return id;
}

void Channel(Gen& g, EditorData& in, EditorData& ex, int r, int band, bool second, bool priority, bool noFrequency) {
    auto set = [&](int c, const std::string& v) {
        in.SetCell(r, c, v, RecordWrite::Quiet);
        ex.SetCell(r, c, v, RecordWrite::Quiet);
    };
    bool used = !noFrequency && (r == 1 || g.Chance(60));
    set(1, used || (!noFrequency && g.Chance(20)) ? Frequency(g, band) : "");
    set(2, used ? Frequency(g, band) : "");
    set(3, g.Text(8, kNameChars));
    set(4, g.Chance(50) ? g.Text(16, kNameChars) : "");
    int tone = g.Int(0, 2); // none, CTCSS, DCS
    set(5, tone == 1 ? Tone(g) : "");
    set(7, tone == 2 ? std::string(kDcsCodes[static_cast<size_t>(g.Int(0, kDcsCodeCount - 1))]) : "");
    int dec = g.Int(0, 2);
    set(6, dec == 1 ? Tone(g) : "");
    set(8, dec == 2 ? std::string(kDcsCodes[static_cast<size_t>(g.Int(0, kDcsCodeCount - 1))]) : "");
    set(9, g.Chance(50) ? "YES" : "");
    std::vector<std::string> scans{"", "S", "T", "TS"};
    std::string scan = g.Pick(scans);
    if (priority) scan += "P";
    set(10, scan);
    set(11, g.Pick(std::vector<std::string>{"", "A", "P", "M", "AP", "AM", "PM", "APM"}));
    set(12, g.Pick(std::vector<std::string>{"", "L", "T", "LO", "TO"}));
    set(13, g.Chance(30) ? g.IntS(1, 100) : "");
    in.SetCell(r, 14, IntText(50 * g.Int(2, 10)), RecordWrite::Quiet);
    ex.SetCell(r, 14, tone != 0 ? in.MFG.TextMatrix(r, 14) : second ? "" : "250", RecordWrite::Quiet);
    set(15, g.IntS(1, 50));
}

void ToneLine(Gen& g, EditorData& in, EditorData& ex, int n, std::vector<int>& emergencies) {
    std::vector<std::string> f(6);
    SpecialLine sd = in.SpecialData()[static_cast<size_t>(n)];
    f[1] = g.Pick(kToneSets);
    f[2] = g.Text(16, kNameChars);
    f[3] = g.Chance(20) ? "CURRENT" : g.IntS(1, 200);
    f[4] = g.IntS(1, 7);
    if (!emergencies.empty() && g.Chance(20)) {
        f[5] = IntText(emergencies.back());
        emergencies.pop_back();
    }
    std::string id = g.Digits(5);
    const std::string station = StationId(g);
    int kind = g.Int(0, 10);
    switch (kind) {
    case 0: sd[1] = "0"; f[0] = "CALL " + g.Digits(g.Int(1, 20)); break;
    case 1: sd[1] = "0"; sd[2] = "8"; sd[8] = g.IntS(0, 127); sd[10] = id; f[0] = "CALL " + id; break;
    case 2:
        sd[1] = "1";
        sd[10] = station;
        if (g.Chance(50)) {
            sd[8] = g.Pick(std::vector<std::string>{"HIGH", "LOW", "TOGG"});
            sd[9] = g.IntS(1, 8);
            f[0] = "ROBOT " + station + " PIN " + sd[9] + " " + sd[8];
        } else {
            f[0] = "ROBOT " + station + " QUERY ALARM";
        }
        break;
    case 3: sd[1] = "3"; sd[9] = g.IntS(1, 15); sd[10] = station; f[0] = "ROBOT " + station + " ALARM"; break;
    case 4: sd[1] = "2"; sd[9] = g.IntS(1, 15); sd[10] = station; f[0] = "ROBOT " + station + " PANIC"; break;
    case 5: sd[1] = "5"; sd[9] = g.Digits(3); f[0] = "EMERGENCY"; break;
    case 6: sd[1] = "10"; sd[10] = id; f[0] = "MARNET " + id; break;
    case 7:
        sd[1] = "8";
        sd[10] = station;
        sd[8] = g.Chance(70) ? g.IntS(0, 127) : "";
        f[0] = "CALL " + station + " MESS NO " + sd[8];
        break;
    case 8: sd[1] = "6"; sd[10] = g.Digits(6); f[0] = "FARMCALL " + sd[10]; break;
    case 9: sd[1] = "15"; break;
    default: f[4] = g.Chance(50) ? f[4] : ""; break; // nothing entered
    }
    in.SetFiveToneLine(n, Join(f));
    in.SetSpecialLine(n, sd);
    ex.SetSpecialLine(n, sd);
    if (kind == 2 || kind == 3 || kind == 4 || kind == 7) {
        const std::string back = StationIdAsDecoded(station, f[1], kind == 2);
        ex.SetSpecialField(n, 10, back);
        const size_t at = f[0].find(station);
        if (at != std::string::npos) f[0].replace(at, station.size(), back);
    }
    if (kind == 2 && sd[8].empty()) ex.SetSpecialField(n, 8, "LOW");
    if (kind == 10) {
        ex.SetSpecialField(n, 1, "15");
        if (f[4].empty()) f[4] = "1";
    }
    ex.SetFiveToneLine(n, Join(f));
}

} // namespace

RandomCase MakeRandomDataSet(unsigned seed) {
    Gen g{std::mt19937(seed)};
    RandomCase c{NewData(), NewData()};
    EditorData& in = *c.input;
    EditorData& ex = *c.expected;

    const int areas = g.Chance(30) ? 1 : g.Int(1, 10);
    const bool marnet = areas == 1 && g.Chance(30);
    const int per = g.Int(1, std::min(200 / areas, marnet ? 199 : 200));
    std::vector<std::string> o(39), eo;
    Options(g, o, eo, areas, per);
    in.SetRadioOption(Join(o));
    ex.SetRadioOption(Join(eo));

    // 5-tone settings and FARMCALL/MARNET.
    std::vector<std::string> t{g.Digits(g.Int(0, 5)), g.IntS(0, 5), g.IntS(0, 1), g.IntS(0, 1), g.IntS(1, 10), g.IntS(0, 1)};
    in.SetFiveToneInfo(Join(t));
    ex.SetFiveToneInfo(Join(t));
    std::vector<std::string> f(10);
    f[3] = g.Chance(50) ? g.IntS(1, 200) : "0";
    f[0] = f[3] != "0" ? "1" : "0";
    f[1] = g.Chance(70) ? g.Digits(3) : "";
    f[2] = g.Chance(50) ? g.Text(2, "ABCDEFGHIJ") : "";
    if (CharCount(f[2]) < 2) f[2].clear();
    f[5] = marnet ? "1" : "0";
    f[7] = marnet ? IntText(per + 1) : "0";
    f[6] = marnet ? g.Digits(5) : "";
    f[8] = g.IntS(0, 1);
    f[9] = f[8] == "1" ? NumText(10.7 + 0.0125 * g.Int(1, 30000)) : "";
    in.SetFarmMarnetInfo(Join(f));
    std::vector<std::string> ef = f;
    if (marnet) {
        ef[6] = InsertRepeatTone(f[6]);
    } else {
        std::string own = t[0];
        if (own.size() % 2) own += "0";
        ef[6] = own.substr(0, 5);
    }
    ex.SetFarmMarnetInfo(Join(ef));

    for (int a = 1; a <= kMaxAreas; ++a) {
        std::string name = g.Text(20, kNameChars);
        in.SetAreaName(a, name);
        ex.SetAreaName(a, areas > 1 && a <= areas ? name.substr(0, 16) : IntText(a));
    }

    // The grid, all in one band so that the band read back from channel 1 is the band used. Some
    // data sets have no frequency at all (powers and options filled first), in a band a user picks.
    const bool noFrequency = g.Chance(15);
    const int band = noFrequency ? g.Int(0, 3) : g.Int(0, 4);
    for (EditorData* d : {&in, &ex}) {
        AdjustArea_Marnet(*d);
        SetBand(*d, band);
    }
    const int rows = in.MFG.Rows();
    for (int a = 1; a <= areas; ++a) {
        int p = g.Chance(50) ? g.Int(1, per) : 0;
        for (int ch = 1; ch <= per; ++ch) Channel(g, in, ex, (a - 1) * per + ch, band, false, ch == p, noFrequency);
    }
    if (marnet) Channel(g, in, ex, rows - 2, band, false, false, noFrequency);
    Channel(g, in, ex, rows - 1, band, true, false, noFrequency);
    ex.SetCell(rows - 1, 2,
                         !in.MFG.TextMatrix(rows - 1, 2).empty() && f[8] == "1"
                             ? FormatFixed(*ToDouble(f[9]), 4)
                             : std::string(), RecordWrite::Quiet);

    UpdateAreaNo(ex);
    std::vector<int> emergencies{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::shuffle(emergencies.begin(), emergencies.end(), g.rng);
    for (int n = 1; n <= kToneLines; ++n) ToneLine(g, in, ex, n, emergencies);

    in.Setup3C00 = ex.Setup3C00 = static_cast<uint8_t>(g.Int(1, 255));
    in.Setup3C01 = ex.Setup3C01 = static_cast<uint8_t>(g.Int(1, 255));
    in.Setup3C02 = ex.Setup3C02 = static_cast<uint8_t>(g.Int(1, 255));
    return c;
}

} // namespace vt::test
