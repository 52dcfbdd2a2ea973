#pragma once
// The formulas behind the generated calibration tables. They are plausible stand-ins for a
// radio's calibration, chosen so that every table the decoder searches holds each value once
// (a save and open then returns exactly what was saved):
//
//   enc.Tbl  word k (tone f = 67.0 + k/10 Hz) = round(16384 f / 1000): the phase step of a
//            14-bit tone accumulator clocked at 1 kHz; rises by more than 1 per 0.1 Hz.
//   dec.Tbl  word k = round(1e6 / f): the tone's period in microseconds; falls by more than
//            1 per 0.1 Hz.
//   dcs.Tbl  entry c = the 23-bit Golay (23,12) codeword of the code (data 0x800 | octal code,
//            generator polynomial 0xC75), 3 bytes high first.
//   dev.Tbl  entry (d, t) = (100 + 50 d) x 8 + t, 3 bytes high first (CT DEV step d, tone t).
//   pwr.Tbl  band b, level L = 20 + 4 L + b.
//   RX_VOL / TX_VOL  steps 1, 1, 1, 2, 2, 2, 5, 5 MHz for bands 0..7 (binary exact), points a
//            linear ramp 4..60 (Rx) or 14..72 (Tx) over the band, inside the editor's ranges.
//   txlow/rxlow/txmid/rxmid/txhigh/rxhigh  gentle ramps; nothing reads them.
//   default.Tbl  a New data set encoded by the image encoder (signature 0x20 0x09).
// Rounding is to the nearest whole number with halves to even, in integer arithmetic.
#include <array>
#include <cstdint>
#include <vector>

namespace vt::tables {

uint16_t EncWord(int tenthsHz);
uint16_t DecWord(int tenthsHz);
uint32_t DcsCodeword(int octalCode); // octalCode as its value (023 octal = 19)
uint32_t DevEntry(int devIndex, int toneIndex);
uint8_t PowerByte(int band, int level);
double VoltageStep(int band);
// Point j of n of a voltage ramp, kind 0 Rx, 1 Tx.
uint8_t VoltagePoint(int kind, int j, int n);

std::vector<uint8_t> EncTable();
std::vector<uint8_t> DecTable();
std::vector<uint8_t> DcsTable();
std::vector<uint8_t> DevTable();
std::vector<uint8_t> PwrTable();
std::vector<uint8_t> BandTable(int which); // order of kBandTableNames
// A voltage table file: 2 header bytes and the points.
std::vector<uint8_t> VoltageFile(int band, int kind);

} // namespace vt::tables
