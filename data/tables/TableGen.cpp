// Writes the program folder's calibration tables: tablegen <resource folder>; or, with
// --others <folder>, other installations' table sets in <folder>/<n>/resource, n = 1, 2, ...
#include "common/ExchangeFiles.h"
#include "data/tables/TableFormulas.h"
#include "editor/image/ConversionTables.h"
#include "editor/image/VoltageTables.h"
#ifdef VELTRA_DEFAULT_IMAGE_FROM_CODEC
#include "editor/codec/DefaultImage.h"
#endif

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using namespace vt;

bool Write(const fs::path& folder, std::string_view windowsName, const std::vector<uint8_t>& bytes) {
    std::string name(windowsName.substr(windowsName.rfind('\\') + 1));
    std::string error;
    if (!WriteFileReplace(folder / name, bytes.data(), bytes.size(), &error)) {
        std::fprintf(stderr, "tablegen: %s: %s\n", name.c_str(), error.c_str());
        return false;
    }
    return true;
}

// The tables the encoder needs for the default image, as generated.
ConversionTables GeneratedTables(const tables::Calibration& c) {
    ConversionTables t;
    auto fill = [](auto& arr, const std::vector<uint8_t>& v) { std::copy_n(v.begin(), arr.size(), arr.begin()); };
    fill(t.EncTbl, tables::EncTable(c));
    fill(t.DecTbl, tables::DecTable(c));
    fill(t.DcsTbl, tables::DcsTable(c));
    fill(t.DevTbl, tables::DevTable(c));
    fill(t.PwrTbl, tables::PwrTable(c));
    return t;
}

std::vector<uint8_t> DefaultImage([[maybe_unused]] const tables::Calibration& c) {
#ifdef VELTRA_DEFAULT_IMAGE_FROM_CODEC
    if (auto image = BuildDefaultImage(GeneratedTables(c))) return {image->begin(), image->end()};
    std::fprintf(stderr, "tablegen: the New data set does not encode\n");
    return {};
#else
    // Until the encoder can build it: the signature on a blank image.
    std::vector<uint8_t> image(kImageSize, 0);
    image[0] = 0x20;
    image[1] = 0x09;
    return image;
#endif
}

bool WriteSet(const fs::path& folder, const tables::Calibration& c) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    auto image = DefaultImage(c);
    bool ok = !image.empty() && Write(folder, kTableNames[DefaultTblSlot], image);
    ok = Write(folder, kTableNames[EncTblSlot], tables::EncTable(c)) && ok;
    ok = Write(folder, kTableNames[DecTblSlot], tables::DecTable(c)) && ok;
    ok = Write(folder, kTableNames[DcsTblSlot], tables::DcsTable(c)) && ok;
    ok = Write(folder, kTableNames[DevTblSlot], tables::DevTable(c)) && ok;
    ok = Write(folder, kTableNames[PwrTblSlot], tables::PwrTable(c)) && ok;
    for (int i = 0; i < static_cast<int>(kBandTableNames.size()); ++i)
        ok = Write(folder, kBandTableNames[static_cast<size_t>(i)], tables::BandTable(i)) && ok;
    for (int b = 0; b < kVolBands; ++b)
        for (int kind : {kVolRx, kVolTx}) ok = Write(folder, VoltageFileName(b, kind), tables::VoltageFile(b, kind)) && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2) return WriteSet(argv[1], tables::kCalibrations[0]) ? 0 : 1;
    if (argc == 3 && std::string_view(argv[1]) == "--others") {
        bool ok = true;
        for (int n = 1; n < tables::kCalibrationCount; ++n)
            ok = WriteSet(fs::path(argv[2]) / std::to_string(n) / "resource", tables::kCalibrations[n]) && ok;
        return ok ? 0 : 1;
    }
    std::fprintf(stderr, "usage: tablegen <resource folder> | tablegen --others <folder>\n");
    return 2;
}
