#include "editor/image/ConversionTables.h"

#include "common/ProgramFolder.h"

#include <algorithm>
#include <fstream>

namespace vt {

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
    return Folder.empty() ? LookupPath(relativeName) : ResolvePath(Folder, relativeName);
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
    if (complete && valid) return true;
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
