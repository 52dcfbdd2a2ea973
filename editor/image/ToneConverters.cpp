#include "editor/image/ToneConverters.h"

#include "common/TextUtil.h"
#include "editor/image/FixedPoint.h"
#include "editor/image/ToneLists.h"

#include <cmath>

namespace vt {
namespace {

// Values are compared in millionths so that the half-way boundaries are exact.
constexpr int kScale = 6;
constexpr long long kMicro = 1'000'000;

// Nearest-entry search over ascending steps, upper entry on a boundary. boundary(i) gives the
// boundary between entries i and i + 1 in the same units as the steps.
template <class Steps, class Boundary>
int NearestIndex(long long v, const Steps& steps, long long unit, Boundary boundary) {
    for (size_t i = 0; i + 1 < steps.size(); ++i) {
        long long lo = steps[i] * unit, hi = steps[i + 1] * unit, m = boundary(i);
        if (lo <= v && v < m) return static_cast<int>(i);
        if (m <= v && v <= hi) return static_cast<int>(i + 1);
    }
    return -1;
}

} // namespace

double SnapToneToList(double hz) {
    // A tone less than 0.2 Hz away; the small margin keeps a decoded value that is 0.2 Hz away
    // plus binary noise out, as exact decimal arithmetic would.
    for (int tenths : kStandardToneTenths) {
        double t = tenths / 10.0;
        if (t == hz) return hz;
        if (std::fabs(t - hz) < 0.2 - 1e-9) return t;
    }
    return 0.0;
}

int CtcssToneIndex(std::string_view toneText) {
    auto v = ToScaled(toneText, kScale);
    if (!v) return -1;
    const long long unit = kMicro / 10; // tones are in tenths
    return NearestIndex(*v, kStandardToneTenths, unit, [&](size_t i) {
        if (i == 23) return 1500 * unit; // 150.0 Hz, not the midpoint 148.8
        return (kStandardToneTenths[i] + kStandardToneTenths[i + 1]) * unit / 2;
    });
}

int CtDevIndex(std::string_view devText) {
    auto v = ToScaled(devText, kScale);
    if (!v) return -1;
    return NearestIndex(*v, kCtDevSteps, kMicro,
                        [&](size_t i) { return (kCtDevSteps[i] + kCtDevSteps[i + 1]) * kMicro / 2; });
}

uint8_t DevByteFromCtDev(std::string_view devText) {
    auto v = ToDouble(devText);
    if (!v) return 15;
    if (*v == 100.0) return 5;
    double n = RoundHalfEven(*v);
    for (int i = 1; i <= 20; ++i)
        if (n <= 100 + 20 * i) return static_cast<uint8_t>(i + 5);
    return 15;
}

std::optional<int> CtDevFromDevByte(uint8_t b) {
    if (b < 5 || b > 25) return std::nullopt;
    for (int step : kCtDevSteps)
        if (DevByteFromCtDev(std::to_string(step)) == b) return step;
    return 100 + 20 * (b - 5);
}

std::optional<uint8_t> PowerByteFromIndex(const ConversionTables& tables, int band, int level) {
    if (band < 0 || band >= kTableBands || level < 1 || level > kPowerLevels) return std::nullopt;
    return tables.PwrTbl[static_cast<size_t>(band * kPowerLevels + level - 1)];
}

int PowerIndexFromByte(const ConversionTables& tables, int band, uint8_t b) {
    if (band < 0 || band >= kTableBands) return kPowerLevels;
    for (int level = 1; level <= kPowerLevels; ++level)
        if (tables.PwrTbl[static_cast<size_t>(band * kPowerLevels + level - 1)] == b) return level;
    return kPowerLevels;
}

int ClampLevel(uint8_t b) { return b == 0 || b > 100 ? 1 : b; }

uint8_t KeyFuncCodeFromIndex(int index) {
    static constexpr uint8_t kCodes[] = {1, 3, 0, 0, 2, 2, 4, 10};
    return index >= 0 && index < 8 ? kCodes[index] : 0;
}

int KeyFuncIndexFromCode(uint8_t code, uint8_t parameter) {
    switch (code) {
    case 1: return 0;
    case 3: return 1;
    case 0: return parameter != 0 ? 2 : 3;
    case 2: return 4;
    case 4: return 6;
    default: return 7; // 10 and every unknown code
    }
}

} // namespace vt
