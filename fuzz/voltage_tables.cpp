// The sixteen voltage tables: one file replaced by the input (first byte: which table; that byte
// alone removes the file), the others as shipped. The load must lay out every table by its
// step; the voltage editor's working copy saved and loaded again must give the same tables;
// and the channel bytes must read inside the loaded data.
#include "fuzz/FuzzSupport.h"

#include "common/ExchangeFiles.h"
#include "common/ProgramFolder.h"

#include <vector>

using namespace vt;
namespace fs = std::filesystem;

namespace {

fs::path FileOf(const fs::path& folder, int band, int kind) {
    std::string n = VoltageFileName(band, kind);
    return folder / "Resource" / n.substr(n.rfind('\\') + 1);
}

const std::vector<std::vector<uint8_t>>& Shipped() {
    static const std::vector<std::vector<uint8_t>> files = [] {
        std::vector<std::vector<uint8_t>> f;
        for (int b = 0; b < kVolBands; ++b)
            for (int kind : {kVolRx, kVolTx}) {
                auto bytes = ReadFileBytes(ResolvePath(fuzz::AppDir(), VoltageFileName(b, kind)));
                if (!bytes) fuzz::Fail("a shipped voltage table is missing", VoltageFileName(b, kind));
                f.push_back(*bytes);
            }
        return f;
    }();
    return files;
}

void CheckLayout(const VoltageTables& t, const char* when) {
    size_t total = 0;
    for (int b = 0; b < kVolBands; ++b)
        for (int kind : {kVolRx, kVolTx}) {
            if (t.GetTableOffset(b, kind) != static_cast<int>(total))
                fuzz::Fail(std::string(when) + ": table offsets do not follow the steps");
            total += static_cast<size_t>(t.PointCount(b, t.LoadedStep[b][kind]));
        }
    if (total != t.LoadedVolData.size())
        fuzz::Fail(std::string(when) + ": " + std::to_string(t.LoadedVolData.size()) + " points loaded, the steps lay out " +
                   std::to_string(total));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const fs::path folder = [] {
        fs::path f = fuzz::ScratchDir() / "voltage";
        fs::create_directories(f / "Resource");
        return f;
    }();
    const int index = data[0] % kVolTables;
    // Every input starts from the shipped set (the last one saved over all sixteen).
    for (int b = 0; b < kVolBands; ++b)
        for (int kind : {kVolRx, kVolTx}) {
            const fs::path to = FileOf(folder, b, kind);
            const auto& shipped = Shipped()[static_cast<size_t>(2 * b + kind)];
            fs::remove(to);
            if (2 * b + kind != index)
                fuzz::WriteBytes(to, shipped.data(), shipped.size());
            else if (size > 1)
                fuzz::WriteBytes(to, data + 1, size - 1);
        }

    VoltageTables t;
    t.Folder = folder;
    auto messages = t.LoadVoltageTables();
    if (messages.size() > 1) fuzz::Fail("one damaged file gave several messages");
    CheckLayout(t, "after the load");

    // The bytes a channel record takes, at the edges and in the middle of every band.
    for (int b = 0; b < kVolBands; ++b)
        for (double f : {t.AllBandLimits[b][0], (t.AllBandLimits[b][0] + t.AllBandLimits[b][1]) / 2, t.AllBandLimits[b][1]}) {
            std::string text = std::to_string(f);
            (void)t.VoltageByteA(text, b);
            (void)t.VoltageByteB(text, b);
        }

    // The voltage editor opens on what was loaded and saves it unchanged: the same tables return.
    t.CopyLoadedSteps();
    t.CalcWorkLayout();
    t.InitWorkData();
    if (t.WorkVolData != t.LoadedVolData) fuzz::Fail("the working copy differs from the loaded tables");
    auto failed = t.SaveVoltageTables();
    if (!failed.empty()) fuzz::Fail("the loaded tables cannot be saved again", failed.front());
    VoltageTables again;
    again.Folder = folder;
    if (auto m = again.LoadVoltageTables(); !m.empty()) fuzz::Fail("the saved tables do not load", m.front());
    CheckLayout(again, "after a save");
    if (again.LoadedStep != t.LoadedStep) fuzz::Fail("a save and load changed a step");
    if (again.LoadedVolData != t.LoadedVolData) fuzz::Fail("a save and load changed the points");

    // A step change in the editor keeps every other table's points.
    const int other = size > 1 ? data[1] % kVolTables : 0;
    const double step = size > 3 ? (data[2] * 100 + data[3] % 100) / 1000.0 : 0.5;
    auto before = again.LoadedVolData;
    again.CopyLoadedSteps();
    again.CalcWorkLayout();
    again.InitWorkData();
    if (again.ChangeWorkStep(other, step)) {
        size_t pos = 0, work = 0;
        for (int b = 0; b < kVolBands; ++b)
            for (int kind : {kVolRx, kVolTx}) {
                size_t n = static_cast<size_t>(again.PointCount(b, again.LoadedStep[b][kind]));
                if (2 * b + kind != other)
                    for (size_t j = 0; j < n; ++j)
                        if (again.WorkVolData[work + j] != before[pos + j])
                            fuzz::Fail("a step change moved another table's points");
                pos += n;
                work += static_cast<size_t>(again.WorkCount[b][kind]);
            }
        if (work != again.WorkVolData.size()) fuzz::Fail("the working copy does not match its layout");
    }
    return 0;
}
