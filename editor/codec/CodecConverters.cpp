#include "editor/codec/CodecConverters.h"

#include "editor/image/ConversionTables.h"
#include "editor/image/FreqWords.h"
#include "editor/image/ToneCodes.h"
#include "editor/image/ToneConverters.h"
#include "editor/image/ToneLists.h"
#include "editor/image/VoltageTables.h"

#include "common/TextUtil.h"

namespace vt::cv {

std::optional<Word> FreqToWord(const std::string& mhz) { return vt::FreqToWord(mhz); }
std::optional<Word> FreqToPll(const std::string& mhz) { return vt::FreqToPll(mhz); }
std::optional<Word> FreqToPllIf(const std::string& mhz) { return vt::FreqToPllIf(mhz); }

// Voltage defaults of a band for a cell without a frequency.
static uint8_t NullTx(int band) { return band == 2 ? 18 : band == 3 ? 29 : 21; }
static uint8_t NullRx(int band) { return band == 2 ? 0 : band == 3 ? 1 : 13; }

// Without loaded tables (tests of other regions) every channel gets its band's default.
uint8_t VoltageByteB(const VoltageTables* v, int band, const std::string& text) {
    return v ? v->VoltageByteB(text, band) : NullTx(band);
}
uint8_t VoltageByteA(const VoltageTables* v, int band, const std::string& text) {
    return v ? v->VoltageByteA(text, band) : NullRx(band);
}

std::optional<uint8_t> PowerByteFromIndex(const ConversionTables& t, int band, int level) {
    return vt::PowerByteFromIndex(t, band, level);
}
int PowerIndexFromByte(const ConversionTables& t, int band, uint8_t b) { return vt::PowerIndexFromByte(t, band, b); }

int CtcssToneIndex(const std::string& hz) { return vt::CtcssToneIndex(hz); }
int CtDevIndex(const std::string& dev) { return vt::CtDevIndex(dev); }
uint8_t DevByteFromCtDev(const std::string& dev) { return vt::DevByteFromCtDev(dev); }
std::optional<int> CtDevFromDevByte(uint8_t b) { return vt::CtDevFromDevByte(b); }

std::optional<double> SnapToneToList(double hz) {
    double s = vt::SnapToneToList(hz);
    if (s == 0.0) return std::nullopt;
    return s;
}

int DcsIndex(const std::string& code) {
    for (size_t i = 0; i < kDcsCodes.size(); ++i)
        if (kDcsCodes[i] == code) return static_cast<int>(i);
    return -1;
}

uint8_t KeyFuncCodeFromIndex(int index) { return vt::KeyFuncCodeFromIndex(index); }
int KeyFuncIndexFromCode(uint8_t code, uint8_t param) { return vt::KeyFuncIndexFromCode(code, param); }
uint8_t ClampLevel(uint8_t b) { return static_cast<uint8_t>(vt::ClampLevel(b)); }

uint8_t ToneCharToCode(const std::string& ch, const std::string& toneSet, int mode) {
    return vt::ToneCharToCode(ch, toneSet, mode).value_or(0);
}
uint8_t HexToneDigitCode(const std::string& ch, const std::string& name) { return vt::HexToneDigitCode(ch, name); }
uint8_t AlnumToneDigitCode(const std::string& ch, const std::string& index) {
    return vt::AlnumToneDigitCode(ch, index);
}

std::array<int, 7> ToneStringToCodes(const std::string& digits, const std::string& name, int filler, int mode) {
    auto codes = vt::ToneStringToCodes(digits, name, static_cast<uint8_t>(filler), mode);
    std::array<int, 7> out{};
    for (size_t i = 0; i < codes.size(); ++i) out[i + 1] = codes[i];
    return out;
}

int ToneDigitToCode(const std::string& ch) { return vt::ToneDigitToCode(ch); }
std::optional<uint8_t> StepCodeByte(const std::string& number) { return vt::StepCodeByte(number); }
int StepCodeIndex(uint8_t b) { return vt::StepCodeIndex(b); }
std::string NibbleToHexChar(uint8_t nibble) { return vt::NibbleToHexChar(nibble); }
std::string CodesToToneString(const std::vector<uint8_t>& codes) { return vt::CodesToToneString(codes); }
std::string BytesToToneString(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t rep) {
    return vt::BytesToToneString(b1, b2, b3, rep);
}

} // namespace vt::cv
