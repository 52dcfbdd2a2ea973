#include "editor/settings/core/ToneSetTips.h"

#include "editor/settings/core/ToneSetList.h"

namespace vt {

namespace {
constexpr int kDigits = 16; // tone digits 0 to 15 (0 to F)
constexpr int kFreq[kToneSetCount][kDigits] = {
    {1000, 1060, 1123, 1191, 1262, 1338, 1418, 1503, 1593, 1689, 1790, 1898, 2012, 2132, 2260, 2396},
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 2800, 810, 970, 885, 2600, 680},
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 885, 810, 740, 680, 970, 2600},
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 970, 810, 2800, 885, 2600, 680},
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 1055, 930, 2247, 991, 2110, 2400},
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 2400, 930, 2247, 991, 2110, 1055},
};
// The names as the help line writes them (padded to line up).
constexpr const char* kTipName[kToneSetCount] = {"EXTEND", "ZVEI1", "ZVEI2", "DZVEI", "EEA  ", "CCIR "};
constexpr const char* kLength[kToneSetCount] = {"LENGTH(ms): 33", "LENGTH(ms): 70", "LENGTH(ms): 70",
                                                "LENGTH(ms): 70", "LENGTH(ms): 40", "LENGTH(ms):100"};
} // namespace

int ToneFrequency(int set, int digit) {
    if (set < 0 || set >= kToneSetCount || digit < 0 || digit >= kDigits) return 0;
    return kFreq[set][digit];
}

std::string ToneTable(int set) {
    if (set < 0 || set >= kToneSetCount) return std::string();
    std::string t = "TONE  FREQ(Hz)\r";
    for (int d = 0; d < kDigits; ++d) {
        int f = kFreq[set][d];
        t += std::to_string(d) + (f >= 1000 ? "   " : "    ") + std::to_string(f) + "\r";
    }
    return t;
}

std::string ToneSetTip(int set) {
    if (set < 0 || set >= kToneSetCount) return std::string();
    const bool extend = set == 0;
    return std::string(kTipName[set]) + "\r" + ToneTable(set) + kLength[set] + "\r" +
           (extend ? "GROUP TONE :15" : "GROUP TONE :10") + "\r" + (extend ? "REPEAT TONE: 10" : "REPEAT TONE: 14");
}

} // namespace vt
