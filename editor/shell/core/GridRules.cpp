#include "editor/shell/core/GridRules.h"

#include "common/TextUtil.h"
#include "editor/shell/core/EditorData.h"

#include <algorithm>

namespace vt {

namespace {
constexpr double kBandEdges[kBandCount][2] = {{32, 49},   {53, 60},   {66, 88},   {135, 175},
                                              {220, 260}, {350, 390}, {400, 490}, {470, 520}};

// Areas and channels per area of a 39-field record, as whole numbers.
bool AreaShape(const EditorData& d, int& areas, int& perArea) {
    auto f = OptionRecordFields(d.RadioOption);
    if (!f) return false;
    auto a = ToWhole((*f)[0]);
    auto c = ToWhole((*f)[1]);
    if (!a || !c || *a < 1 || *c < 1) return false;
    areas = static_cast<int>(std::min<long long>(*a, kMaxAreas));
    perArea = static_cast<int>(std::min<long long>(*c, kMaxChannels));
    return true;
}

int LastChannelRow(const EditorData& d) { return d.MFG.Rows() - 2; }
} // namespace

std::optional<std::vector<std::string>> OptionRecordFields(const std::string& radioOption) {
    auto f = Split(radioOption);
    if (f.size() != 39) return std::nullopt;
    return f;
}

bool MarnetOn(const EditorData& d) {
    auto f = Split(d.FarmMarnetInfo);
    return f.size() > 5 && f[5] == "1";
}

std::string GetDefaultSetup() { return kDefaultRadioOption; }

void UpdateScan(EditorData& d) {
    bool acs = false;
    if (auto f = OptionRecordFields(d.RadioOption))
        for (int k : {14, 16, 18, 20})
            if ((*f)[k] == "5") acs = true;
    d.ScanChoices = acs ? std::vector<std::string>{"NO", "A", "S", "P", "AS", "AP"}
                        : std::vector<std::string>{"NO", "T", "S", "P", "TS", "TP"};
}

void AdjustArea_Marnet(EditorData& d) {
    int areas = 0, per = 0;
    if (!AreaShape(d, areas, per)) return;
    int rows = areas * per + 2 + ((areas == 1 && MarnetOn(d)) ? 1 : 0);
    GridBatch batch(d.MFG);
    // The second receiver keeps its cells across the resize.
    int oldLast = d.MFG.Rows() - 1;
    std::vector<std::string> second;
    for (int c = 1; c < d.MFG.Cols(); ++c) second.push_back(d.MFG.TextMatrix(oldLast, c));
    d.MFG.ClearRow(oldLast);
    d.MFG.SetRows(rows);
    int last = d.MFG.Rows() - 1;
    for (int c = 1; c < d.MFG.Cols(); ++c) d.MFG.SetTextMatrix(last, c, second[static_cast<size_t>(c - 1)]);
    AddSecondRec(d, "");
    UpdateAreaNo(d);
}

void ValidateP(EditorData& d) {
    int areas = 0, per = 0;
    if (!AreaShape(d, areas, per)) return;
    int last = LastChannelRow(d);
    for (int a = 1; a <= areas; ++a) {
        bool seen = false;
        for (int r = (a - 1) * per + 1; r <= a * per && r <= last; ++r) {
            std::string s = d.MFG.TextMatrix(r, 10);
            if (s.find('P') == std::string::npos) continue;
            if (!seen) {
                seen = true;
                continue;
            }
            s.erase(std::remove(s.begin(), s.end(), 'P'), s.end());
            d.MFG.SetTextMatrix(r, 10, s);
        }
    }
}

void ValidateT(EditorData& d) {
    int areas = 0, per = 0;
    if (!AreaShape(d, areas, per)) return;
    int last = LastChannelRow(d);
    for (int a = 1; a <= areas; ++a)
        for (int r = (a - 1) * per + 17; r <= a * per && r <= last; ++r) {
            std::string s = d.MFG.TextMatrix(r, 10);
            std::string t;
            for (char ch : s)
                if (ch != 'T' && ch != 'A') t += ch;
            if (t != s) d.MFG.SetTextMatrix(r, 10, t);
        }
}

void UpdateAreaNo(EditorData& d) {
    int areas = 0, per = 0;
    if (!AreaShape(d, areas, per)) return;
    int last = LastChannelRow(d);
    for (int r = 1; r <= last; ++r) {
        int a = (r - 1) / per + 1;
        int ch = (r - 1) % per + 1;
        std::string label = "Ch:" + std::to_string(ch);
        if (areas > 1) label += "     Area:" + std::to_string(a);
        d.MFG.SetTextMatrix(r, 0, label);
    }
}

void AddSecondRec(EditorData& d, const std::string& secfreq) {
    int last = d.MFG.Rows() - 1;
    d.MFG.SetTextMatrix(last, 0, "201");
    d.MFG.SetTextMatrix(last, 3, "SECOND");
    d.MFG.SetTextMatrix(last, 4, "RECEIVER");
    if (!secfreq.empty()) {
        d.MFG.SetTextMatrix(last, 1, secfreq);
        d.MFG.SetTextMatrix(last, 2, secfreq);
    }
}

int WhichAreaInt(const EditorData& d, int row) {
    if (row == d.MFG.Rows() - 1) return -1;
    auto f = OptionRecordFields(d.RadioOption);
    if (!f) return 0;
    auto c = ToWhole((*f)[1]);
    if (!c || *c < 1) return 0;
    for (int a = 1; a <= kMaxAreas; ++a)
        if (row <= a * *c) return a;
    return 0;
}

double BandLow(int band) { return band >= 0 && band < kBandCount ? kBandEdges[band][0] : 0.0; }
double BandHigh(int band) { return band >= 0 && band < kBandCount ? kBandEdges[band][1] : 0.0; }

std::string BandRange(int band) {
    if (band < 0 || band >= kBandCount) return std::string();
    return IntText(static_cast<long long>(BandLow(band))) + " -- " + IntText(static_cast<long long>(BandHigh(band))) +
           " MHz";
}

void SetBand(EditorData& d, int band) {
    if (band < 0 || band >= kBandCount) return;
    d.BandIndex = band;
    d.BandLimits[1] = BandLow(band);
    d.BandLimits[2] = BandHigh(band);
    d.BandRangeText = BandRange(band);
}

void UpdateBand(EditorData& d) {
    // Channel 1's Rx decides; when it is not a number, the first channel row that has one.
    auto bandOf = [](double f) {
        for (int b = 0; b < kBandCount; ++b)
            if (f >= BandLow(b) && f <= BandHigh(b)) return b;
        return -1;
    };
    int last = LastChannelRow(d);
    for (int col : {2, 1})
        for (int r = 1; r <= last; ++r)
            if (auto f = ToDouble(d.MFG.TextMatrix(r, col))) {
                int b = bandOf(*f);
                SetBand(d, b < 0 ? 0 : b);
                return;
            }
    SetBand(d, 0);
}

void UpdateAllArray(EditorData& d) {
    for (int i = 1; i < d.MFG.Rows() && i < static_cast<int>(d.AllArray.size()); ++i)
        for (int j = 1; j < d.MFG.Cols() && j < static_cast<int>(d.AllArray[i].size()); ++j)
            d.AllArray[i][j] = d.MFG.TextMatrix(i, j);
}

} // namespace vt
