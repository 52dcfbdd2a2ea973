#pragma once
// The formulas behind the generated calibration tables. They are plausible stand-ins for a
// radio's calibration, chosen so that every table the decoder searches holds each value once
// in each place it searches (a save and open then returns exactly what was saved). The program
// folder ships calibration 0; the others stand for other installations' radios:
//
//   enc.Tbl  word k (tone f = 67.0 + k/10 Hz): the phase step round(S f / 1000) of a tone
//            accumulator clocked at 1 kHz, S = 16384 (a 14-bit one); rises by more than 1 per
//            0.1 Hz. Other radios: another S, a prescaler that halves S from 150.0 Hz on (the
//            words start lower again there), or a divider round(E / f) that falls.
//   dec.Tbl  word k = round(C / f), the tone's period in 1/C s, C = 1e6; falls by more than 1
//            per 0.1 Hz.
//   dcs.Tbl  entry c = the 23-bit Golay (23,12) codeword of the code (data 0x800 | octal code,
//            generator polynomial 0xC75), 3 bytes high first; other radios store it inverted
//            or with its bits in the order sent.
//   dev.Tbl  entry (d, t) = base + step d + toneStep t, 3 bytes high first (CT DEV step d,
//            tone t): 800 + 400 d + t; other radios other steps, a falling one among them.
//   pwr.Tbl  band b, level L = base + step L + bandStep b: 20 + 4 L + b; other radios other
//            steps, a falling one among them.
//   RX_VOL / TX_VOL  steps 1, 1, 1, 2, 2, 2, 5, 5 MHz for bands 0..7 (binary exact), points a
//            linear ramp 4..60 (Rx) or 14..72 (Tx) over the band, inside the editor's ranges.
//   txlow/rxlow/txmid/rxmid/txhigh/rxhigh  gentle ramps; nothing reads them.
//   default.Tbl  a New data set encoded by the image encoder (signature 0x20 0x09).
// Rounding is to the nearest whole number with halves to even, in integer arithmetic.
#include <array>
#include <iterator>
#include <cstdint>
#include <vector>

namespace vt::tables {

struct Calibration {
    int encScale;          // S below 150.0 Hz
    int encHighScale;      // S from 150.0 Hz on
    long long encDivider;  // E; when not 0 the words are round(E / f) instead
    long long decClock;    // C
    enum DcsForm { Plain, Inverted, Reversed } dcs;
    int devBase, devStep, devToneStep;
    int pwrBase, pwrStep, pwrBandStep;
};

inline constexpr Calibration kCalibrations[] = {
    {16384, 16384, 0, 1'000'000, Calibration::Plain, 800, 400, 1, 20, 4, 1},
    {65536, 32768, 0, 2'000'000, Calibration::Inverted, 2000, 150, 2, 40, 3, 2},
    {0, 0, 4'000'000, 1'500'000, Calibration::Reversed, 60000, -1500, 3, 250, -4, -2},
    {20000, 20000, 0, 1'000'000, Calibration::Plain, 500, 100, 0, 30, 4, 0},
};
inline constexpr int kCalibrationCount = static_cast<int>(std::size(kCalibrations));

uint16_t EncWord(int tenthsHz, const Calibration& c = kCalibrations[0]);
uint16_t DecWord(int tenthsHz, const Calibration& c = kCalibrations[0]);
uint32_t DcsCodeword(int octalCode); // octalCode as its value (023 octal = 19)
uint32_t DcsEntry(int octalCode, const Calibration& c = kCalibrations[0]);
uint32_t DevEntry(int devIndex, int toneIndex, const Calibration& c = kCalibrations[0]);
uint8_t PowerByte(int band, int level, const Calibration& c = kCalibrations[0]);
double VoltageStep(int band);
// Point j of n of a voltage ramp, kind 0 Rx, 1 Tx.
uint8_t VoltagePoint(int kind, int j, int n);

std::vector<uint8_t> EncTable(const Calibration& c = kCalibrations[0]);
std::vector<uint8_t> DecTable(const Calibration& c = kCalibrations[0]);
std::vector<uint8_t> DcsTable(const Calibration& c = kCalibrations[0]);
std::vector<uint8_t> DevTable(const Calibration& c = kCalibrations[0]);
std::vector<uint8_t> PwrTable(const Calibration& c = kCalibrations[0]);
std::vector<uint8_t> BandTable(int which); // order of kBandTableNames
// A voltage table file: 2 header bytes and the points.
std::vector<uint8_t> VoltageFile(int band, int kind);

} // namespace vt::tables
