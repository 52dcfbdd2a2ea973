#include "editor/image/FreqWords.h"

#include "common/TextUtil.h"
#include "editor/image/Bands.h"
#include "editor/image/FixedPoint.h"

#include <cmath>

namespace vt {
namespace {

constexpr std::array<uint8_t, 16> kStepCodes{0xAB, 0xCB, 0xDB, 0xEB, 0xBC, 0xAC, 0xDC, 0xEC,
                                             0xBD, 0xCD, 0xAD, 0xED, 0xBE, 0xCE, 0xDE, 0xEE};

std::optional<WordBytes> ToWord(long long w) {
    if (w < 0 || w > 0xFFFF) return std::nullopt;
    return WordBytes{static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w & 0xFF)};
}

bool Blank(std::string_view t) { return Trim(t).empty(); }

// The frequency in hertz (exact decimal), nothing when not numeric or negative.
std::optional<long long> Hertz(std::string_view mhz) {
    auto hz = ToScaled(mhz, 6);
    if (!hz || *hz < 0) return std::nullopt;
    return hz;
}

// 16 x whole 100 kHz + 8 x the fraction below, to the nearest word (halves to even), with the
// whole part raised by offset100k.
std::optional<WordBytes> PllWord(std::string_view mhz, long long offset100k) {
    if (Blank(mhz)) return WordBytes{0, 0};
    auto hz = Hertz(mhz);
    if (!hz) return std::nullopt;
    long long whole = *hz / 100000, rest = *hz % 100000;
    if (whole > 100000) return std::nullopt; // far beyond any word
    // 16 (whole + offset) + 8 rest / 100000 = (200000 (whole + offset) + rest) / 12500
    return ToWord(DivRoundHalfEven(200000 * (whole + offset100k) + rest, 12500));
}

// Second-receiver words: steps of 12.5 kHz above 10.7 MHz, in units of 100 Hz.
constexpr long long kWordBase = 107000;
constexpr long long kWordStep = 125;

} // namespace

std::optional<WordBytes> FreqToPll(std::string_view mhz) { return PllWord(mhz, 0); }
std::optional<WordBytes> FreqToPllIf(std::string_view mhz) { return PllWord(mhz, kRxWordOffset); }

std::optional<WordBytes> FreqToWord(std::string_view mhz) {
    if (Blank(mhz)) return WordBytes{0, 0};
    auto n = ToScaled(mhz, 4); // units of 100 Hz, halves to even
    if (!n || *n < kWordBase) return std::nullopt;
    return ToWord((*n - kWordBase) / kWordStep);
}

double WordToFreq(int word) {
    // Evaluated as 10.7 + 0.0125 w in doubles: the decoded texts depend on these exact bits.
    constexpr double base = static_cast<double>(kWordBase) / 10000, step = static_cast<double>(kWordStep) / 10000;
    static_assert(base == 10.7 && step == 0.0125);
    return base + step * word;
}

std::optional<std::string> PllText(int word, double offset) {
    double x = word * 0.0625 - offset;
    double whole = std::trunc(x);
    double f = (whole + 2 * (x - whole)) / 10.0;
    if (f < kBandEdges[0][0]) return std::nullopt;
    return FormatFixed(f, 4);
}

std::string SecondReceiverRxText(int word) { return word == 0 ? std::string() : FormatFixed(WordToFreq(word), 4); }

std::optional<uint8_t> StepCodeByte(std::string_view indexText) {
    if (Blank(indexText)) return uint8_t{0};
    auto i = ToWhole(indexText);
    if (!i || *i < 0 || *i > 15) return std::nullopt;
    return kStepCodes[static_cast<size_t>(*i)];
}

int StepCodeIndex(uint8_t code) {
    for (size_t i = 0; i < kStepCodes.size(); ++i)
        if (kStepCodes[i] == code) return static_cast<int>(i);
    return 0;
}

} // namespace vt
