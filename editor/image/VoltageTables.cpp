#include "editor/image/VoltageTables.h"

#include "common/ExchangeFiles.h"
#include "common/ProgramFolder.h"
#include "common/TextUtil.h"
#include "editor/image/ConversionTables.h"
#include "editor/image/FixedPoint.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <fstream>

namespace vt {
namespace {

long long Thousandths(double mhz) { return static_cast<long long>(RoundHalfEven(mhz * 1000.0)); }

// Points of a band width (in thousandths of a MHz) at a step (thousandths): floor + 1, which
// is what the rounding-based count rule gives in exact arithmetic.
int CountOf(long long width, long long step) { return step > 0 ? static_cast<int>(width / step + 1) : 0; }

} // namespace

std::string VoltageFileName(int band, int kind) {
    return std::string(kind == kVolTx ? "\\Resource\\TX_VOL" : "\\Resource\\RX_VOL") + std::to_string(band) + ".tbl";
}

double RoundVolStep(double mhz) { return static_cast<double>(Thousandths(mhz)) / 1000.0; }

bool IsValidVolStep(double mhz) {
    if (!std::isfinite(mhz) || std::fabs(mhz) > 1e6) return false;
    long long m = Thousandths(mhz);
    return m >= 1 && m <= 25599;
}

VoltageTables::VoltageTables() {
    InitBandLimits();
    for (auto& s : LoadedStep) s = {kDefaultVolStep, kDefaultVolStep};
    size_t total = 0;
    for (int b = 0; b < kVolBands; ++b) total += 2 * static_cast<size_t>(PointCount(b, kDefaultVolStep));
    LoadedVolData.assign(total, 0);
    CopyLoadedSteps();
    CalcWorkLayout();
    InitWorkData();
}

void VoltageTables::InitBandLimits() {
    for (int b = 0; b < kVolBands; ++b) AllBandLimits[b] = {double(kBandEdges[b][0]), double(kBandEdges[b][1])};
}

int VoltageTables::FindBand(double mhz) const {
    int found = -1;
    for (int b = 0; b < kVolBands; ++b)
        if (AllBandLimits[b][0] <= mhz && mhz <= AllBandLimits[b][1]) found = b;
    return found;
}

int VoltageTables::PointCount(int band, double step) const {
    if (band < 0 || band >= kVolBands) return 0;
    long long width = Thousandths(AllBandLimits[band][1] - AllBandLimits[band][0]);
    return CountOf(width, Thousandths(step));
}

int VoltageTables::GetTableOffset(int band, int kind) const {
    if (band < 0 || band >= kVolBands) return -1;
    int offset = 0;
    for (int i = 0; i < band; ++i) offset += PointCount(i, LoadedStep[i][0]) + PointCount(i, LoadedStep[i][1]);
    if (kind == kVolTx) offset += PointCount(band, LoadedStep[band][0]);
    return offset;
}

std::filesystem::path VoltageTables::PathOf(int band, int kind) const {
    return Folder.empty() ? LookupPath(VoltageFileName(band, kind)) : ResolvePath(Folder, VoltageFileName(band, kind));
}

// A save goes to the program folder, where it then takes the place of the shipped table.
std::filesystem::path VoltageTables::SavePathOf(int band, int kind) const {
    return Folder.empty() ? ProgramPath(VoltageFileName(band, kind)) : ResolvePath(Folder, VoltageFileName(band, kind));
}

std::vector<std::string> VoltageTables::LoadVoltageTables() {
    std::vector<std::string> messages;
    LoadedVolData.clear();
    for (int b = 0; b < kVolBands; ++b) {
        for (int kind : {kVolRx, kVolTx}) {
            // No table is longer than the finest step gives it; a huge file costs no more.
            const size_t longest = 2 + static_cast<size_t>(PointCount(b, kMinVolStep));
            auto bytes = ReadFileHead(PathOf(b, kind), longest).value_or(std::vector<uint8_t>{});
            // The second byte holds thousandths below a tenth (0..99); anything else, or a step
            // of 0, is a damaged header whose layout the table's own save could not write back.
            long long m = bytes.size() >= 2 ? bytes[0] * 100LL + bytes[1] : 0;
            bool ok = bytes.size() >= 2 && bytes[1] < 100 && IsValidVolStep(static_cast<double>(m) / 1000.0);
            LoadedStep[b][kind] = ok ? static_cast<double>(m) / 1000.0 : kDefaultVolStep;
            size_t count = static_cast<size_t>(PointCount(b, LoadedStep[b][kind]));
            // The table's points go straight to their place; missing ones stay 0.
            const size_t at = LoadedVolData.size();
            LoadedVolData.resize(at + count, 0);
            size_t have = bytes.size() > 2 ? std::min(count, bytes.size() - 2) : 0;
            if (ok) std::copy_n(bytes.begin() + 2, have, LoadedVolData.begin() + static_cast<std::ptrdiff_t>(at));
            if (!ok || have < count) messages.push_back(TableErrorText(VoltageFileName(b, kind)));
        }
    }
    return messages;
}

std::vector<std::string> VoltageTables::SaveVoltageTables() const {
    // Every table goes to a temporary file first; only when all sixteen are written are they
    // renamed over the old files, so a failed save leaves the old set whole.
    std::vector<std::string> failed;
    struct Written {
        std::filesystem::path temp, target;
        std::string name;
    };
    std::vector<Written> written;
    size_t pos = 0;
    for (int b = 0; b < kVolBands; ++b) {
        for (int kind : {kVolRx, kVolTx}) {
            const double step = WorkStep[b][kind];
            const size_t count = static_cast<size_t>(PointCount(b, step));
            std::vector<uint8_t> out(2 + count, 0);
            long long m = Thousandths(step);
            out[0] = static_cast<uint8_t>(m / 100);
            out[1] = static_cast<uint8_t>(m % 100);
            for (size_t j = 0; j < count && pos + j < WorkVolData.size(); ++j) out[2 + j] = WorkVolData[pos + j];
            pos += count;
            auto path = SavePathOf(b, kind);
            auto temp = path;
            temp += ".tmp";
            std::error_code ec;
            std::filesystem::create_directories(path.parent_path(), ec);
            if (!IsValidVolStep(step) || !WriteFileReplace(temp, out.data(), out.size()))
                failed.push_back("Can not save " + VoltageFileName(b, kind) + ".");
            written.push_back({temp, path, VoltageFileName(b, kind)});
        }
    }
    std::error_code ec;
    if (!failed.empty()) {
        for (const auto& w : written) std::filesystem::remove(w.temp, ec);
        return failed;
    }
    for (const auto& w : written) {
        std::filesystem::rename(w.temp, w.target, ec);
        if (!ec) continue;
        failed.push_back("Can not save " + w.name + ".");
        std::filesystem::remove(w.temp, ec);
    }
    return failed;
}

void VoltageTables::CopyLoadedSteps() { WorkStep = LoadedStep; }

void VoltageTables::CalcWorkLayout() {
    int total = 0;
    for (int b = 0; b < kVolBands; ++b) {
        for (int kind : {kVolRx, kVolTx}) {
            WorkOffset[b][kind] = total;
            WorkCount[b][kind] = PointCount(b, WorkStep[b][kind]);
            total += WorkCount[b][kind];
        }
    }
}

void VoltageTables::InitWorkData() {
    size_t total = 0;
    for (const auto& c : WorkCount) total += static_cast<size_t>(c[0] + c[1]);
    WorkVolData.assign(total, 0);
    size_t loaded = 0, work = 0;
    for (int b = 0; b < kVolBands; ++b) {
        for (int kind : {kVolRx, kVolTx}) {
            size_t n = static_cast<size_t>(PointCount(b, LoadedStep[b][kind]));
            size_t copy = std::min({n, static_cast<size_t>(WorkCount[b][kind]),
                                    LoadedVolData.size() > loaded ? LoadedVolData.size() - loaded : 0});
            std::copy_n(LoadedVolData.begin() + static_cast<long>(loaded), copy, WorkVolData.begin() + static_cast<long>(work));
            loaded += n;
            work += static_cast<size_t>(WorkCount[b][kind]);
        }
    }
}

void VoltageTables::GetShowVolData(int index) {
    if (index < 0 || index >= kVolTables) return;
    const std::vector<uint8_t> scratch = WorkVolData;
    size_t total = 0, head = 0, tail = 0;
    for (int b = 0; b < kVolBands; ++b) {
        for (int k : {kVolRx, kVolTx}) {
            const size_t n = static_cast<size_t>(WorkCount[b][k]);
            total += n;
            int t = 2 * b + k;
            if (t < index) head += n;
            if (t > index) tail += n;
        }
    }
    WorkVolData.assign(total, 0);
    head = std::min(head, scratch.size());
    tail = std::min(tail, scratch.size());
    std::copy_n(scratch.begin(), head, WorkVolData.begin());
    std::copy_n(scratch.end() - static_cast<long>(tail), tail, WorkVolData.end() - static_cast<long>(tail));
}

bool VoltageTables::ChangeWorkStep(int index, double step) {
    if (index < 0 || index >= kVolTables || !IsValidVolStep(step)) return false;
    WorkStep[index / 2][index % 2] = RoundVolStep(step);
    CalcWorkLayout();
    GetShowVolData(index);
    return true;
}

uint8_t VoltageTables::VoltageByte(std::string_view text, int kind) const {
    auto u = ToScaled(text, 4); // 100 Hz units
    if (!u) return 0;
    const int band = FindBand(static_cast<double>(*u) / 10000.0);
    if (band < 0) return 0;
    const long long dist = *u - static_cast<long long>(AllBandLimits[band][0]) * 10000;
    const long long step = Thousandths(LoadedStep[band][kind]) * 10;
    const int count = PointCount(band, LoadedStep[band][kind]);
    if (step <= 0 || count <= 0) return 0;
    long long j = (dist + step - 1) / step; // the next point at or above the frequency
    j = std::min<long long>(j, count - 1);
    const size_t at = static_cast<size_t>(GetTableOffset(band, kind) + j);
    return at < LoadedVolData.size() ? LoadedVolData[at] : 0;
}

uint8_t VoltageTables::VoltageByteA(std::string_view rxText, int bandIndex) const {
    if (rxText == "NULL" || !IsNumeric(rxText)) return bandIndex == 2 ? 0 : bandIndex == 3 ? 1 : 13;
    return VoltageByte(rxText, kVolRx);
}

uint8_t VoltageTables::VoltageByteB(std::string_view txText, int bandIndex) const {
    if (txText == "NULL" || !IsNumeric(txText)) return bandIndex == 2 ? 18 : bandIndex == 3 ? 29 : 21;
    return VoltageByte(txText, kVolTx);
}

} // namespace vt
