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

uint16_t EncWord(int tenthsHz, const Calibration& c) {
    if (c.encDivider) return static_cast<uint16_t>(DivRoundHalfEven(10 * c.encDivider, tenthsHz));
    const long long scale = tenthsHz < kCtcssHighFirstTenths ? c.encScale : c.encHighScale;
    return static_cast<uint16_t>(DivRoundHalfEven(scale * tenthsHz, 10000));
}
uint16_t DecWord(int tenthsHz, const Calibration& c) {
    return static_cast<uint16_t>(DivRoundHalfEven(10 * c.decClock, tenthsHz));
}

uint32_t DcsCodeword(int octalCode) {
    const uint32_t data = 0x800u | static_cast<uint32_t>(octalCode);
    uint32_t rem = data << 11;
    for (int bit = 22; bit >= 11; --bit)
        if (rem & (1u << bit)) rem ^= 0xC75u << (bit - 11);
    return (data << 11) | rem;
}

uint32_t DcsEntry(int octalCode, const Calibration& c) {
    constexpr int kBits = 23;
    const uint32_t w = DcsCodeword(octalCode);
    if (c.dcs == Calibration::Inverted) return ~w & ((1u << kBits) - 1);
    if (c.dcs == Calibration::Plain) return w;
    uint32_t r = 0;
    for (int bit = 0; bit < kBits; ++bit)
        if (w & (1u << bit)) r |= 1u << (kBits - 1 - bit);
    return r;
}

uint32_t DevEntry(int devIndex, int toneIndex, const Calibration& c) {
    return static_cast<uint32_t>(c.devBase + c.devStep * devIndex + c.devToneStep * toneIndex);
}

uint8_t PowerByte(int band, int level, const Calibration& c) {
    return static_cast<uint8_t>(c.pwrBase + c.pwrStep * level + c.pwrBandStep * band);
}

double VoltageStep(int band) {
    static constexpr double kSteps[kVolBands] = {1, 1, 1, 2, 2, 2, 5, 5};
    return kSteps[band];
}

uint8_t VoltagePoint(int kind, int j, int n) {
    const int lo = kind == kVolTx ? 14 : 4, hi = kind == kVolTx ? 72 : 60;
    if (n <= 1) return static_cast<uint8_t>(lo);
    return static_cast<uint8_t>(lo + DivRoundHalfEven(static_cast<long long>(hi - lo) * j, n - 1));
}

std::vector<uint8_t> EncTable(const Calibration& c) {
    std::vector<uint8_t> out;
    for (int t = kCtcssFirstTenths; t <= kCtcssLastTenths; ++t) Push2(out, EncWord(t, c));
    return out;
}

std::vector<uint8_t> DecTable(const Calibration& c) {
    std::vector<uint8_t> out;
    for (int t = kCtcssFirstTenths; t <= kCtcssLastTenths; ++t) Push2(out, DecWord(t, c));
    return out;
}

std::vector<uint8_t> DcsTable(const Calibration& c) {
    std::vector<uint8_t> out;
    for (std::string_view code : kDcsCodes) Push3(out, DcsEntry(std::stoi(std::string(code), nullptr, 8), c));
    return out;
}

std::vector<uint8_t> DevTable(const Calibration& c) {
    std::vector<uint8_t> out;
    for (int d = 0; d < kCtDevStepCount; ++d)
        for (int t = 0; t < kStandardToneCount; ++t) Push3(out, DevEntry(d, t, c));
    return out;
}

std::vector<uint8_t> PwrTable(const Calibration& c) {
    std::vector<uint8_t> out;
    for (int b = 0; b < kTableBands; ++b)
        for (int l = 1; l <= kPowerLevels; ++l) out.push_back(PowerByte(b, l, c));
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
