// The calibration tables of resource/: one of the twelve files replaced by the input (first byte:
// which; an input of that byte alone removes the file), the others as shipped. Each loader must
// hold exactly the file's bytes with 0 for what it lacks and say whether the file passed; then an
// open and a save through those tables, as the editor makes them, must not fault.
#include "fuzz/FuzzSupport.h"

#include "common/ExchangeFiles.h"
#include "common/ProgramFolder.h"
#include "editor/dataset/GridRules.h"

#include <algorithm>
#include <vector>

using namespace vt;
namespace fs = std::filesystem;

namespace {

constexpr int kMainTables = static_cast<int>(kTableNames.size());
constexpr int kSlots = kMainTables + static_cast<int>(kBandTableNames.size()); // the tables, then the band tables

std::string_view NameOf(int slot) {
    return slot < kMainTables ? kTableNames[static_cast<size_t>(slot)] : kBandTableNames[static_cast<size_t>(slot - kMainTables)];
}

fs::path FileOf(const fs::path& folder, int slot) {
    std::string_view n = NameOf(slot);
    return folder / "resource" / std::string(n.substr(n.rfind('\\') + 1));
}

// resource/ of the scratch folder, filled from the program folder once; returns the originals.
const std::vector<std::vector<uint8_t>>& Originals() {
    static const std::vector<std::vector<uint8_t>> originals = [] {
        std::vector<std::vector<uint8_t>> o;
        fs::create_directories(fuzz::ScratchDir() / "resource");
        for (int s = 0; s < kSlots; ++s) {
            auto bytes = ReadFileBytes(ResolvePath(fuzz::AppDir(), NameOf(s)));
            if (!bytes) fuzz::Fail("a shipped table is missing", std::string(NameOf(s)));
            o.push_back(*bytes);
        }
        return o;
    }();
    return originals;
}

void Restore(int slot) {
    const auto& b = Originals()[static_cast<size_t>(slot)];
    fuzz::WriteBytes(FileOf(fuzz::ScratchDir(), slot), b.data(), b.size());
}

void CheckHeld(const uint8_t* held, size_t size, const uint8_t* file, size_t fileSize, int slot) {
    for (size_t k = 0; k < size; ++k)
        if (held[k] != (k < fileSize ? file[k] : 0))
            fuzz::Fail(std::string(NameOf(slot)) + ": loaded byte " + std::to_string(k) + " is not the file's");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto& originals = Originals();
    if (size == 0) return 0;
    const int slot = data[0] % kSlots;
    const uint8_t* file = data + 1;
    const size_t fileSize = size - 1;
    // The scratch folder holds the shipped set but for the file the last input replaced.
    static int replaced = -1;
    if (replaced < 0)
        for (int s = 0; s < kSlots; ++s) Restore(s);
    else
        Restore(replaced);
    replaced = slot;
    if (fileSize == 0)
        fs::remove(FileOf(fuzz::ScratchDir(), slot));
    else
        fuzz::WriteBytes(FileOf(fuzz::ScratchDir(), slot), file, fileSize);

    ConversionTables conv;
    conv.Folder = fuzz::ScratchDir();
    std::vector<std::string> shown;
    conv.ShowMessage = [&shown](const std::string& m) { shown.push_back(m); };
    ImageArray defaultImage;
    defaultImage.fill(0xEE); // an earlier image's bytes must never show through
    const bool passed[kMainTables] = {conv.LoadDefaultTbl(defaultImage), conv.LoadEncTbl(), conv.LoadDecTbl(),
                            conv.LoadDcsTbl(),                   conv.LoadDevTbl(), conv.LoadPwrTbl()};
    conv.LoadVoltageTbls();

    const uint8_t* held[kMainTables] = {defaultImage.data(), conv.EncTbl.data(), conv.DecTbl.data(),
                              conv.DcsTbl.data(),  conv.DevTbl.data(), conv.PwrTbl.data()};
    const size_t sizes[kMainTables] = {kImageSize, kEncTblSize, kDecTblSize, kDcsTblSize, kDevTblSize, kPwrTblSize};
    size_t failures = 0;
    for (int s = 0; s < kSlots; ++s) {
        const bool replaced = s == slot;
        const uint8_t* bytes = replaced ? file : originals[static_cast<size_t>(s)].data();
        const size_t n = replaced ? fileSize : originals[static_cast<size_t>(s)].size();
        if (s >= kMainTables) {
            const auto& band = conv.BandTbls[static_cast<size_t>(s - kMainTables)];
            if (band.size() != kBandTableSizes[static_cast<size_t>(s - kMainTables)])
                fuzz::Fail(std::string(NameOf(s)) + ": the band table has the wrong size");
            CheckHeld(band.data(), band.size(), bytes, n, s);
            continue;
        }
        CheckHeld(held[s], sizes[s], bytes, n, s);
        if (!replaced && !passed[s]) fuzz::Fail(std::string(NameOf(s)) + ": an untouched shipped table failed");
        if (n < sizes[s] && passed[s]) fuzz::Fail(std::string(NameOf(s)) + ": a short file passed");
        if (!passed[s]) ++failures;
    }
    if (shown.size() != failures)
        fuzz::Fail("messages shown: " + std::to_string(shown.size()) + ", tables that failed: " + std::to_string(failures));

    // Open the shipped default image and save it again through these tables, as the editor does.
    auto d = fuzz::NewDataSet();
    d->Tables.Folder = fuzz::ScratchDir();
    d->VolTables = fuzz::ShippedTables().voltage;
    d->MemImage = fuzz::ShippedTables().tables.DefaultImage;
    DecodeImage(d->MemImage, LoadCodecTables(d->Tables, d->VolTables, TablesFor::Decode), ImageSource::File, *d);
    EncodeResult r = EncodeImage(*d, LoadCodecTables(d->Tables, d->VolTables, TablesFor::Encode), ImageSource::File);
    (void)ErrorListText(r.errors);
    return 0;
}
