#include "data/tables/TableFormulas.h"

#include "editor/image/ConversionTables.h"
#include "editor/image/FixedPoint.h"
#include "editor/image/ToneLists.h"
#include "editor/image/VoltageTables.h"

#include <string>

namespace vt::tables {
namespace {

void Push2(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void Push3(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 16));
    Push2(out, v);
}

} // namespace

uint16_t EncWord(int tenthsHz) { return static_cast<uint16_t>(DivRoundHalfEven(16384LL * tenthsHz, 10000)); }
uint16_t DecWord(int tenthsHz) { return static_cast<uint16_t>(DivRoundHalfEven(10'000'000LL, tenthsHz)); }

uint32_t DcsCodeword(int octalCode) {
    const uint32_t data = 0x800u | static_cast<uint32_t>(octalCode);
    uint32_t rem = data << 11;
    for (int bit = 22; bit >= 11; --bit)
        if (rem & (1u << bit)) rem ^= 0xC75u << (bit - 11);
    return (data << 11) | rem;
}

uint32_t DevEntry(int devIndex, int toneIndex) {
    return static_cast<uint32_t>((100 + 50 * devIndex) * 8 + toneIndex);
}

uint8_t PowerByte(int band, int level) { return static_cast<uint8_t>(20 + 4 * level + band); }

double VoltageStep(int band) {
    static constexpr double kSteps[kVolBands] = {1, 1, 1, 2, 2, 2, 5, 5};
    return kSteps[band];
}

uint8_t VoltagePoint(int kind, int j, int n) {
    const int lo = kind == kVolTx ? 14 : 4, hi = kind == kVolTx ? 72 : 60;
    if (n <= 1) return static_cast<uint8_t>(lo);
    return static_cast<uint8_t>(lo + DivRoundHalfEven(static_cast<long long>(hi - lo) * j, n - 1));
}

std::vector<uint8_t> EncTable() {
    std::vector<uint8_t> out;
    for (int t = kCtcssFirstTenths; t <= kCtcssLastTenths; ++t) Push2(out, EncWord(t));
    return out;
}

std::vector<uint8_t> DecTable() {
    std::vector<uint8_t> out;
    for (int t = kCtcssFirstTenths; t <= kCtcssLastTenths; ++t) Push2(out, DecWord(t));
    return out;
}

std::vector<uint8_t> DcsTable() {
    std::vector<uint8_t> out;
    for (std::string_view code : kDcsCodes) Push3(out, DcsCodeword(std::stoi(std::string(code), nullptr, 8)));
    return out;
}

std::vector<uint8_t> DevTable() {
    std::vector<uint8_t> out;
    for (int d = 0; d < kCtDevStepCount; ++d)
        for (int t = 0; t < kStandardToneCount; ++t) Push3(out, DevEntry(d, t));
    return out;
}

std::vector<uint8_t> PwrTable() {
    std::vector<uint8_t> out;
    for (int b = 0; b < kTableBands; ++b)
        for (int l = 1; l <= kPowerLevels; ++l) out.push_back(PowerByte(b, l));
    return out;
}

std::vector<uint8_t> BandTable(int which) {
    std::vector<uint8_t> out(kBandTableSizes[static_cast<size_t>(which)]);
    const int base = which % 2 == 0 ? 30 : 20; // tx tables sit above the rx ones
    for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<uint8_t>(base + i / 8);
    return out;
}

std::vector<uint8_t> VoltageFile(int band, int kind) {
    VoltageTables layout;
    const double step = VoltageStep(band);
    const int n = layout.PointCount(band, step);
    const int m = static_cast<int>(step * 1000);
    std::vector<uint8_t> out{static_cast<uint8_t>(m / 100), static_cast<uint8_t>(m % 100)};
    for (int j = 0; j < n; ++j) out.push_back(VoltagePoint(kind, j, n));
    return out;
}

} // namespace vt::tables
