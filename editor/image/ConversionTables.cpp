#include "editor/image/ConversionTables.h"

#include "common/ProgramFolder.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <vector>

namespace vt {

namespace {

// Entries of `width` bytes, high byte first, from entry `first` on, `count` of them, `stride`
// entries apart.
std::vector<uint32_t> Entries(const uint8_t* data, size_t width, size_t first, size_t count, size_t stride = 1) {
    std::vector<uint32_t> out;
    for (size_t i = 0; i < count; ++i) {
        uint32_t v = 0;
        for (size_t k = 0; k < width; ++k) v = v << 8 | data[(first + i * stride) * width + k];
        out.push_back(v);
    }
    return out;
}

// Never rising and falling both, and not all equal; `strict` refuses any repeat.
bool OneWay(const std::vector<uint32_t>& v, bool strict) {
    bool up = false, down = false;
    for (size_t i = 1; i < v.size(); ++i) {
        if (v[i] == v[i - 1] && strict) return false;
        up = up || v[i] > v[i - 1];
        down = down || v[i] < v[i - 1];
    }
    return up != down;
}

// What every calibration of a table holds, whatever the radio: a table of the right size that
// lacks it is damaged, and what it would put into an image is garbage.
//  enc, dec  a tone word follows the tone: in each of the radio's two tone ranges (below 150.0 Hz
//            and from it) the words run one way; neighbours may share a word, which the decoder
//            snaps onto the list tone. No word is 0x0000 or 0xFFFF (erased memory): neither sets
//            a tone.
//  dcs       the 104 entries all differ: the decoder finds a code by its entry.
//  dev       for each tone the nine CT DEV steps run strictly one way: a larger deviation is
//            another level, and the decoder finds the step by its entry.
//  pwr       in each band the 50 levels run strictly one way, for the same reasons.
bool ContentUsable(TableSlot slot, const uint8_t* data) {
    switch (slot) {
    case EncTblSlot:
    case DecTblSlot: {
        constexpr auto kLow = static_cast<size_t>(kCtcssHighFirstTenths - kCtcssFirstTenths);
        const auto words = Entries(data, kCtcssWordSize, 0, kCtcssWordCount);
        if (std::any_of(words.begin(), words.end(), [](uint32_t w) { return w == 0 || w == 0xFFFF; })) return false;
        return OneWay({words.begin(), words.begin() + kLow}, false) && OneWay({words.begin() + kLow, words.end()}, false);
    }
    case DcsTblSlot: {
        const auto e = Entries(data, kToneEntrySize, 0, kDcsCodeCount);
        return std::set<uint32_t>(e.begin(), e.end()).size() == e.size();
    }
    case DevTblSlot:
        for (size_t t = 0; t < static_cast<size_t>(kStandardToneCount); ++t)
            if (!OneWay(Entries(data, kToneEntrySize, t, kCtDevStepCount, kStandardToneCount), true)) return false;
        return true;
    case PwrTblSlot:
        for (size_t b = 0; b < static_cast<size_t>(kTableBands); ++b)
            if (!OneWay(Entries(data, 1, b * kPowerLevels, kPowerLevels), true)) return false;
        return true;
    default: return true; // default.Tbl: any image of defaults serves
    }
}

} // namespace

std::string TableErrorText(std::string_view relativeName) {
    return "Can not Find correct " + std::string(relativeName) + ", Please reinstall the Program.";
}

// The texts exist from the start, so that a decode before any encode never shows an empty box.
ConversionTables::ConversionTables() {
    InitTblErrMsgs();
    for (size_t i = 0; i < BandTbls.size(); ++i) BandTbls[i].assign(kBandTableSizes[i], 0);
}

void ConversionTables::InitTblErrMsgs() {
    for (size_t k = 0; k < kTableNames.size(); ++k) TblErrMsg[k] = TableErrorText(kTableNames[k]);
    TblErrMsg[6].clear();
}

std::filesystem::path ConversionTables::PathOf(std::string_view relativeName) const {
    return ResolvePath(Folder.empty() ? ProgramFolder() : Folder, relativeName);
}

bool ConversionTables::ReadInto(std::string_view relativeName, uint8_t* data, size_t size) const {
    std::fill(data, data + size, uint8_t{0});
    std::ifstream in(PathOf(relativeName), std::ios::binary);
    if (!in) return false;
    in.read(reinterpret_cast<char*>(data), static_cast<std::streamsize>(size));
    return static_cast<size_t>(in.gcount()) == size;
}

void ConversionTables::Report(TableSlot slot) const {
    if (ShowMessage) ShowMessage(TblErrMsg[slot]);
}

bool ConversionTables::Load(TableSlot slot, uint8_t* data, size_t size) {
    bool complete = ReadInto(kTableNames[slot], data, size);
    bool valid = slot == DefaultTblSlot ? (data[0] == 0x20 || data[1] == 0x09) : (data[0] > 0 || data[1] > 0);
    if (complete && valid && ContentUsable(slot, data)) return true;
    Report(slot);
    return false;
}

bool ConversionTables::LoadDefaultTbl(ImageBytes& memImage) { return Load(DefaultTblSlot, memImage.data(), memImage.size()); }
bool ConversionTables::LoadEncTbl() { return Load(EncTblSlot, EncTbl.data(), EncTbl.size()); }
bool ConversionTables::LoadDecTbl() { return Load(DecTblSlot, DecTbl.data(), DecTbl.size()); }
bool ConversionTables::LoadDcsTbl() { return Load(DcsTblSlot, DcsTbl.data(), DcsTbl.size()); }
bool ConversionTables::LoadDevTbl() { return Load(DevTblSlot, DevTbl.data(), DevTbl.size()); }
bool ConversionTables::LoadPwrTbl() { return Load(PwrTblSlot, PwrTbl.data(), PwrTbl.size()); }

void ConversionTables::LoadVoltageTbls() {
    for (size_t i = 0; i < BandTbls.size(); ++i) {
        BandTbls[i].assign(kBandTableSizes[i], 0);
        ReadInto(kBandTableNames[i], BandTbls[i].data(), BandTbls[i].size());
    }
}

} // namespace vt
