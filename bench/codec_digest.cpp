// Digests of what the image codec makes of generated inputs, one line a case, so that two builds
// (before and after a change that must not change behaviour) can be compared line by line; see
// scripts/compare-codec.sh. Inputs come from this file's own generator, so the same seed gives
// the same inputs in any build that has this file.
//   codec_digest [--seed S] [--count N] [--case K] [--home DIR]
// Cases 0..N-1 decode images (default image or an encoded data set, damaged or not), cases
// N..2N-1 encode data sets written through the document's setters and decode them back; either
// way the decoded data set is encoded again. --case K prints the text behind case K's digest.
#include "editor/image/SettingsFieldNames.h"
#include "editor/image/ToneLists.h"
#include "editor/codec/ImageCodec.h"
#include "editor/codec/ImageLayout.h"
#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include "common/TextUtil.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace vt;
namespace fs = std::filesystem;

namespace {

// splitmix64: the same numbers on every compiler and library, unlike std's distributions.
struct Rng {
    uint64_t s;
    int odd = 0; // percent of values replaced by odd ones; 0 for a data set the editors could make
    uint64_t Next() {
        uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    int In(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    uint8_t Byte() { return static_cast<uint8_t>(Next()); }
    std::string IntS(int lo, int hi) { return IntText(In(lo, hi)); }
    template <class T> const T& Pick(const std::vector<T>& v) { return v[static_cast<size_t>(Below(static_cast<int>(v.size())))]; }
    std::string Odd(const std::string& v);
    std::string Digits(int n, const std::string& set = "0123456789") {
        std::string t;
        for (int i = 0; i < n; ++i) t += set[static_cast<size_t>(Below(static_cast<int>(set.size())))];
        return t;
    }
};

const std::string kNameChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -./";
const std::vector<std::string> kOdd{"", " ", "-1", "0", "256", "99999", "abc", "1.5", " 7", "1e2", "0x10", "|",
                                    "\xC3\xA9t\xC3\xA9", "\xE4\xB8\xAD", "\xFF\xFE", "\t", "00000000000000000001"};

std::string Rng::Odd(const std::string& v) { return Chance(odd) ? Pick(kOdd) : v; }

// Some values of a record replaced by odd ones, sometimes one field too many or too few.
std::string Damaged(Rng& g, std::vector<std::string> f, int percent) {
    if (!g.odd) return Join(f);
    if (g.Chance(percent))
        for (int k = g.In(1, 3); k > 0; --k) f[static_cast<size_t>(g.Below(static_cast<int>(f.size())))] = g.Chance(70) ? g.Pick(kOdd) : g.IntS(-5, 300);
    if (g.Chance(percent / 5)) {
        if (g.Chance(50)) f.pop_back();
        else f.push_back(g.IntS(0, 9));
    }
    return Join(f);
}

std::string Tone(Rng& g) {
    if (g.Chance(75)) return std::string(kStandardTones[static_cast<size_t>(g.Below(kStandardToneCount))]);
    const int slack = g.odd ? 20 : 0;
    return FormatFixed(g.In(kCtcssFirstTenths - slack, kCtcssLastTenths + slack) / 10.0, 1);
}
std::string Dcs(Rng& g) {
    if (!g.odd || g.Chance(90)) return std::string(kDcsCodes[static_cast<size_t>(g.Below(kDcsCodeCount))]);
    return g.Pick(std::vector<std::string>{"000", "999", "08", "7777", "023 "});
}
std::string Frequency(Rng& g, int band) {
    const double low = BandLow(band), high = BandHigh(band);
    switch (g.odd ? g.Below(10) : 3) {
    case 0: return FormatFixed(low + 0.00625 * g.In(0, static_cast<int>((high - low) / 0.00625)), 5); // off the 12.5 kHz steps
    case 1: { // any band or none
        const int mhz = g.In(1, 600);
        return FormatFixed(mhz + 0.0125 * g.In(0, 79), 4);
    }
    case 2: return g.Pick(std::vector<std::string>{"", "abc", "1e3", " 145.125", "145.12500001", "-53"});
    default: return FormatFixed(low + 0.0125 * g.In(0, static_cast<int>((high - low) / 0.0125)), 4);
    }
}

void Channel(Rng& g, EditorData& d, int r, int band) {
    auto set = [&](int c, const std::string& v) { d.SetCell(r, c, g.Odd(v)); };
    const bool used = g.Chance(65);
    set(ColTxFreq, used || g.Chance(20) ? Frequency(g, band) : "");
    set(ColRxFreq, used ? Frequency(g, band) : "");
    const int out = g.odd ? 2 : 0;
    set(ColName1, g.Digits(g.In(0, 8 + out), kNameChars));
    set(ColName2, g.Chance(50) ? g.Digits(g.In(0, 16 + out), kNameChars) : "");
    const int enc = g.Below(3), dec = g.Below(3); // none, CTCSS, DCS
    set(ColCtcssEnc, enc == 1 || g.Chance(3) ? Tone(g) : "");
    set(ColDcsEnc, enc == 2 || g.Chance(3) ? Dcs(g) : "");
    set(ColCtcssDec, dec == 1 ? Tone(g) : "");
    set(ColDcsDec, dec == 2 ? Dcs(g) : "");
    set(ColBcl, g.Pick(std::vector<std::string>{"", "YES", g.Odd("NO")}));
    set(ColScan, g.Pick(std::vector<std::string>{"", "S", "T", "TS", "P", "TP", g.Odd("SP"), g.Odd("A"), g.Odd("AS"), "NO"}));
    set(ColFiveTone, g.Pick(std::vector<std::string>{"", "A", "P", "M", "AP", "AM", "PM", "APM", g.Odd("X")}));
    set(ColAni, g.Pick(std::vector<std::string>{"", "L", "T", "LO", "TO", g.Odd("O")}));
    set(ColSelCall, g.Chance(30) ? g.odd ? g.IntS(0, 300) : g.IntS(1, 100) : "");
    set(ColCtDev, !g.odd || g.Chance(85) ? IntText(kCtDevSteps[static_cast<size_t>(g.Below(kCtDevStepCount))]) : g.IntS(0, 600));
    set(ColPower, !g.odd || g.Chance(90) ? g.IntS(1, kPowerLevels) : g.IntS(-1, 60));
}

// Fields of a 5-tone list line and of its special-call record, by number: the older builds this
// program is compared with have no names for them.
namespace line {
enum { Text, Standard, Ident, Channel, Tries, Emergency, Fields };
}
namespace call {
enum { Kind = 1, OtherUser = 2, Channel = 7, Level = 8, Number = 9, Id = 10 };
}

// A 5-tone list line and its special-call record, one of every kind the dialog stores.
void ToneLine(Rng& g, EditorData& d, int n) {
    const std::vector<std::string> kSets{"EXTEND", "ZVEI1", "ZVEI2", "DZVEI", "EEA", g.Odd("CCIR")};
    const int out = g.odd ? 1 : 0; // one past either end
    std::vector<std::string> f(line::Fields);
    SpecialLine s{};
    f[line::Standard] = g.Pick(kSets);
    f[line::Ident] = g.Digits(g.In(0, 16 + 2 * out), kNameChars);
    f[line::Channel] = g.Chance(20) ? "CURRENT" : g.IntS(1 - out, 200 + out);
    f[line::Tries] = g.IntS(1 - out, 7 + out);
    f[line::Emergency] = g.Chance(15) ? g.IntS(1 - out, 10 + out) : "";
    const std::string id = g.Digits(5), station = g.Digits(5, g.odd ? "0123456789ABCDEFGR" : "0123456789ABCDEFG");
    const std::vector<std::string> kKinds{"0", "1", "2", "3", "5", "6", "8", "10", "15", g.Odd("15")};
    s[call::Kind] = g.Chance(3) ? "" : g.Pick(kKinds);
    const std::string& kind = s[call::Kind];
    if (kind == "0" && g.Chance(50)) {
        s[call::OtherUser] = "8";
        s[call::Channel] = g.IntS(1 - out, 200 + out);
        s[call::Level] = g.IntS(0, 127 + out);
        s[call::Id] = id;
        f[line::Text] = "CALL " + id;
    } else if (kind == "0") {
        f[line::Text] = "CALL " + g.Digits(g.In(1 - out, 20 + 2 * out), out ? "0123456789ABCDEFGR*#" : "0123456789");
    } else if (kind == "1") {
        s[call::Id] = station;
        s[call::Level] = g.Pick(std::vector<std::string>{"", "HIGH", "LOW", "TOGG", g.Odd("LOW")});
        s[call::Number] = g.IntS(1 - out, 8 + out);
        f[line::Text] = "ROBOT " + station + " PIN " + s[call::Number] + " " + s[call::Level];
    } else if (kind == "2" || kind == "3") {
        s[call::Number] = g.IntS(1 - out, 15 + out);
        s[call::Id] = station;
        f[line::Text] = "ROBOT " + station + (kind == "2" ? " PANIC" : " ALARM");
    } else if (kind == "5") {
        s[call::Number] = g.Digits(g.In(3 - out, 3 + out));
        f[line::Text] = "EMERGENCY";
    } else if (kind == "6" || kind == "10") {
        s[call::Id] = kind == "6" ? g.Digits(g.In(6 - out, 6 + out)) : id;
        f[line::Text] = (kind == "6" ? "FARMCALL " : "MARNET ") + s[call::Id];
    } else if (kind == "8") {
        s[call::Id] = station;
        s[call::Level] = g.Chance(70) ? g.IntS(0, 127 + out) : "";
        f[line::Text] = "CALL " + station + " MESS NO " + s[call::Level];
    }
    for (int k = 1; k <= kSpecialFields; ++k)
        s[static_cast<size_t>(k)] = g.Odd(s[static_cast<size_t>(k)]);
    d.SetFiveToneLine(n, Damaged(g, f, 5));
    d.SetSpecialLine(n, s);
}

void MakeDataSet(Rng& g, EditorData& d) {
    g.odd = g.Chance(50) ? 0 : g.In(1, 5);
    const int areas = g.Chance(30) ? 1 : g.In(1, kMaxAreas);
    const bool marnet = areas == 1 && g.Chance(30);
    const int per = g.In(1, std::min(kMaxChannels / areas, marnet ? kMaxChannels - 1 : kMaxChannels));
    std::vector<std::string> o(39);
    for (int k : {2, 3, 4, 7, 24, 25, 26, 27, 28, 29, 30, 31, 32}) o[static_cast<size_t>(k)] = g.IntS(0, 1);
    o[kOptNumberArea] = IntText(areas);
    o[kOptChInArea] = IntText(per);
    o[kOptScanTCh] = IntText(10 * g.In(5, 90));
    o[kOptResumeSTime] = g.IntS(1, 25);
    o[kOptCallPtime] = IntText(10 * g.In(1, 250));
    o[kOptPTTTimeout] = g.IntS(1, 250);
    o[kOptPTTLANI] = IntText(10 * g.In(1, 250));
    o[kOptWaitAnswer] = IntText(10 * g.In(1, 250));
    o[kOptRepeater] = IntText(100 * g.In(1, 50));
    o[kOptRound] = g.IntS(1, 9);
    for (int k = 0; k < 4; ++k) {
        o[static_cast<size_t>(kOptComboF1 + 2 * k)] = g.IntS(0, 7);
        o[static_cast<size_t>(kOptTxtF1 + 2 * k)] = g.IntS(1, 100);
    }
    o[kOptComboFunction] = g.IntS(0, 1);
    o[kOptTxtFunction] = g.IntS(1, 100);
    o[kOptHeadDial] = g.Chance(50) ? "CHANNEL" : "VOLUME";
    o[kOptCTsen] = g.Chance(50) ? "HIGH" : "LOW";
    o[kOptVolume] = g.IntS(0, 15);
    o[kOptDefaultChannel] = g.IntS(0, areas * per - 1);
    o[kOptMuteChange] = g.IntS(0, 15);
    o[kOptDefaultArea] = g.IntS(0, areas - 1);
    d.SetRadioOption(Damaged(g, o, 15));

    d.SetFiveToneInfo(Damaged(g, {g.Digits(g.In(0, 6)), g.IntS(0, 6), g.IntS(0, 1), g.IntS(0, 1), g.IntS(1, 10), g.IntS(0, 1)}, 10));
    std::vector<std::string> f(10);
    f[kFarmChannel] = g.Chance(50) ? g.IntS(1, 200) : "0";
    f[kFarmOn] = f[kFarmChannel] != "0" ? "1" : "0";
    f[kFarmGroupId] = g.Chance(70) ? g.Digits(g.In(2, 4)) : "";
    f[kFarmPosition] = g.Chance(50) ? g.Digits(2, "ABCDEFGHIJ") : "";
    f[kFarmFrequency] = g.Chance(20) ? Frequency(g, 0) : "";
    f[kMarnetOn] = marnet ? "1" : "0";
    f[kMarnetMaxChannels] = marnet ? IntText(per + 1) : "0";
    f[kMarnetId] = marnet ? g.Digits(5) : "";
    f[kSecondRxOn] = g.IntS(0, 1);
    f[kSecondRxFrequency] = f[kSecondRxOn] == "1" ? FormatFixed(10.7 + 0.0125 * g.In(1, 30000), 4) : "";
    d.SetFarmMarnetInfo(Damaged(g, f, 10));
    for (int a = 1; a <= kMaxAreas; ++a) d.SetAreaName(a, g.Odd(g.Digits(g.In(0, 20), kNameChars)));

    // Bands 6 and 7 reach above the highest frequency word.
    const int band = g.odd && g.Chance(30) ? g.Below(kBandCount) : g.Below(5);
    AdjustArea_Marnet(d);
    SetBand(d, band);
    const int rows = d.MFG.Rows();
    for (int r = 1; r < rows; ++r)
        if (r == 1 || g.Chance(80)) Channel(g, d, r, band);
    // Odd texts anywhere, header and labels included (one draw a statement: argument order is free).
    for (int k = g.odd && g.Chance(20) ? g.In(1, 5) : 0; k > 0; --k) {
        const int r = g.Below(rows + 1), c = g.Below(kGridCols + 1);
        d.SetCell(r, c, g.Pick(kOdd));
    }
    for (int n = 1; n <= kToneLines; ++n)
        if (g.Chance(85)) ToneLine(g, d, n);
}

// The canonical text of an outcome, control bytes escaped so that it stays one line a field.
struct Text {
    std::string s;
    void Add(const std::string& label, const std::string& value) {
        s += label + '=';
        for (unsigned char ch : value) {
            if (ch >= 0x20 && ch != '\\' && ch < 0x7F) s += static_cast<char>(ch);
            else s += "\\x" + std::string(1, "0123456789ABCDEF"[ch >> 4]) + "0123456789ABCDEF"[ch & 15];
        }
        s += '\n';
    }
};

void AddEncode(Text& t, const std::string& what, const EncodeResult& r) {
    for (const auto& e : r.errors) t.Add(what + " error", e.field + "|" + IntText(e.row) + "|" + e.message);
    for (const auto& e : r.warnings) t.Add(what + " warning", e.field + "|" + IntText(e.row) + "|" + e.message);
    static const char* hex = "0123456789abcdef";
    for (size_t at = 0; at < r.image.size(); at += 32) {
        std::string line;
        for (size_t k = at; k < std::min(at + 32, r.image.size()); ++k) line += {hex[r.image[k] >> 4], hex[r.image[k] & 15]};
        t.Add(what + " bytes " + IntText(static_cast<long long>(at)), line);
    }
}

void AddData(Text& t, const std::string& what, const EditorData& d) {
    t.Add(what + " options", d.RadioOption());
    t.Add(what + " 5-tone", d.FiveToneInfo());
    t.Add(what + " farm/marnet", d.FarmMarnetInfo());
    for (int n = 1; n <= kToneLines; ++n) {
        t.Add(what + " line " + IntText(n), d.FiveToneChannels()[static_cast<size_t>(n)]);
        std::vector<std::string> s(d.SpecialData()[static_cast<size_t>(n)].begin() + 1, d.SpecialData()[static_cast<size_t>(n)].end());
        t.Add(what + " special " + IntText(n), Join(s));
    }
    for (int a = 1; a <= kMaxAreas; ++a) t.Add(what + " area " + IntText(a), d.AreaNames()[static_cast<size_t>(a)]);
    t.Add(what + " grid", IntText(d.MFG.Rows()) + "x" + IntText(d.MFG.Cols()));
    for (int r = 0; r < d.MFG.Rows(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < d.MFG.Cols(); ++c) row.push_back(d.MFG.TextMatrix(r, c));
        t.Add(what + " row " + IntText(r), Join(row, "\t"));
    }
    t.Add(what + " band", IntText(d.BandIndex) + "|" + d.BandRangeText + "|" + Join(d.ScanChoices));
    t.Add(what + " setup", IntText(d.Setup3C00) + "|" + IntText(d.Setup3C01) + "|" + IntText(d.Setup3C02));
    t.Add(what + " modified", d.IsModified() ? "1" : "0");
}

struct Run {
    CodecTables tables;
    const VoltageTables* voltage;

    void NewData(EditorData& d) const {
        ResetDataSet(d);
        d.VolTables = *voltage;
    }
    // Decodes as an Open does, then saves the result again.
    void DecodeAndSave(Text& t, const ImageArray& image, ImageSource src) const {
        EditorData d;
        NewData(d);
        d.MemImage = image;
        DecodeResult r = DecodeImage(image, tables, src, d);
        t.Add("decode band", r.band ? IntText(*r.band) : "none");
        for (const auto& x : r.repairs) t.Add("repair", x.field + "|" + IntText(x.row) + "|" + x.was + "|" + x.now);
        AddData(t, "decoded", d);
        AddEncode(t, "saved", EncodeImage(d, tables, src));
    }

    std::string Case(uint64_t seed, int k, int count) const {
        Rng g{seed * 0x100000001B3ull ^ (static_cast<uint64_t>(k) * 0xD6E8FEB86659FD93ull)};
        Text t;
        const ImageSource src = g.Chance(25) ? ImageSource::Radio : ImageSource::File;
        t.Add("source", src == ImageSource::File ? "file" : "radio");
        if (k >= count) { // a data set
            EditorData d;
            NewData(d);
            MakeDataSet(g, d);
            AddData(t, "input", d);
            EncodeResult e = EncodeImage(d, tables, src);
            AddEncode(t, "encoded", e);
            DecodeAndSave(t, e.image, src);
            return t.s;
        }
        ImageArray image = tables.DefaultImage;
        if (g.Chance(75)) {
            EditorData d;
            NewData(d);
            MakeDataSet(g, d);
            image = EncodeImage(d, tables, g.Chance(50) ? ImageSource::File : ImageSource::Radio).image;
        }
        const int damage = g.Below(20);
        // Half the damage lands before the channel records, where the settings lie.
        auto at = [&] { return static_cast<size_t>(g.Chance(50) ? g.Below(static_cast<int>(layout::kChannelRecords)) : g.Below(static_cast<int>(kImageSize))); };
        if (damage >= 1 && damage <= 10)
            for (int n = g.In(1, 8); n > 0; --n) image[at()] = g.Chance(70) ? g.Byte() : g.Chance(50) ? 0x00 : 0xFF;
        if (damage >= 8 && damage <= 17)
            for (int n = g.In(1, 3); n > 0; --n) {
                const size_t from = at(), len = static_cast<size_t>(g.In(1, 300));
                const int fill = g.Below(3);
                for (size_t i = from; i < std::min(from + len, kImageSize); ++i) image[i] = fill == 0 ? g.Byte() : fill == 1 ? 0x00 : 0xFF;
            }
        if (damage == 18)
            for (auto& b : image) b = g.Byte();
        if (damage == 19) image.fill(g.Chance(50) ? 0x00 : 0xFF);
        t.Add("damage", IntText(damage));
        AddEncode(t, "image", EncodeResult{image, {}, {}});
        DecodeAndSave(t, image, src);
        return t.s;
    }
};

uint64_t Fnv(const std::string& s, uint64_t h = 0xCBF29CE484222325ull) {
    for (unsigned char ch : s) h = (h ^ ch) * 0x100000001B3ull;
    return h;
}
std::string Hex(uint64_t h) {
    char b[17];
    std::snprintf(b, sizeof b, "%016llx", static_cast<unsigned long long>(h));
    return b;
}

} // namespace

int main(int argc, char** argv) {
    uint64_t seed = 1;
    int count = 3000, one = -1;
    fs::path home;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--seed") seed = std::strtoull(argv[i + 1], nullptr, 0);
        else if (a == "--count") count = std::atoi(argv[i + 1]);
        else if (a == "--case") one = std::atoi(argv[i + 1]);
        else if (a == "--home") home = argv[i + 1];
        else i = argc;
    }
    if (argc % 2 == 0 || count < 0) {
        std::fprintf(stderr, "usage: codec_digest [--seed S] [--count N] [--case K] [--home DIR]\n");
        return 2;
    }
    // The program folder: given, VELTRA_HOME, else the build's app/ beside this program's bin/.
    if (home.empty()) {
        const char* env = std::getenv("VELTRA_HOME");
        home = env && *env ? fs::path(env) : fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "app";
    }
    ConversionTables conv;
    VoltageTables voltage;
    std::vector<std::string> messages;
    conv.Folder = voltage.Folder = home;
    conv.ShowMessage = [&messages](const std::string& m) { messages.push_back(m); };
    Run run{LoadCodecTables(conv, voltage, TablesFor::Encode), &voltage};
    for (auto& m : voltage.LoadVoltageTables()) messages.push_back(m);
    if (!run.tables.Missing.empty() || !messages.empty()) {
        std::fprintf(stderr, "the tables of %s do not load:\n", home.c_str());
        for (const auto& m : messages) std::fprintf(stderr, "%s\n", m.c_str());
        return 2;
    }

    if (one >= 0) {
        std::fputs(run.Case(seed, one, count).c_str(), stdout);
        return 0;
    }
    uint64_t all = Fnv("");
    for (int k = 0; k < 2 * count; ++k) {
        const std::string text = run.Case(seed, k, count);
        // Kind, the counts a reader looks for first, then the digest of the whole text.
        auto countOf = [&text](const char* label) {
            int n = 0;
            for (size_t p = 0; (p = text.find(label, p)) != std::string::npos; ++p) ++n;
            return n;
        };
        const std::string line = IntText(k) + (k < count ? " image" : " dataset") + " errors=" +
                                 IntText(countOf(" error=")) + " repairs=" + IntText(countOf("\nrepair=")) + " " + Hex(Fnv(text));
        std::printf("%s\n", line.c_str());
        all = Fnv(line + "\n", all);
    }
    std::printf("cases %d seed %llu digest %s\n", 2 * count, static_cast<unsigned long long>(seed), Hex(all).c_str());
    return 0;
}
