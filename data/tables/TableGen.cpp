// Writes the program folder's calibration tables: tablegen <resource folder>.
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
ConversionTables GeneratedTables() {
    ConversionTables t;
    auto fill = [](auto& arr, const std::vector<uint8_t>& v) { std::copy_n(v.begin(), arr.size(), arr.begin()); };
    fill(t.EncTbl, tables::EncTable());
    fill(t.DecTbl, tables::DecTable());
    fill(t.DcsTbl, tables::DcsTable());
    fill(t.DevTbl, tables::DevTable());
    fill(t.PwrTbl, tables::PwrTable());
    return t;
}

std::vector<uint8_t> DefaultImage() {
#ifdef VELTRA_DEFAULT_IMAGE_FROM_CODEC
    if (auto image = BuildDefaultImage(GeneratedTables())) return {image->begin(), image->end()};
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tablegen <resource folder>\n");
        return 2;
    }
    const fs::path folder = argv[1];
    std::error_code ec;
    fs::create_directories(folder, ec);
    auto image = DefaultImage();
    bool ok = !image.empty() && Write(folder, kTableNames[DefaultTblSlot], image);
    ok = Write(folder, kTableNames[EncTblSlot], tables::EncTable()) && ok;
    ok = Write(folder, kTableNames[DecTblSlot], tables::DecTable()) && ok;
    ok = Write(folder, kTableNames[DcsTblSlot], tables::DcsTable()) && ok;
    ok = Write(folder, kTableNames[DevTblSlot], tables::DevTable()) && ok;
    ok = Write(folder, kTableNames[PwrTblSlot], tables::PwrTable()) && ok;
    for (int i = 0; i < static_cast<int>(kBandTableNames.size()); ++i)
        ok = Write(folder, kBandTableNames[static_cast<size_t>(i)], tables::BandTable(i)) && ok;
    for (int b = 0; b < kVolBands; ++b)
        for (int kind : {kVolRx, kVolTx}) ok = Write(folder, VoltageFileName(b, kind), tables::VoltageFile(b, kind)) && ok;
    return ok ? 0 : 1;
}
