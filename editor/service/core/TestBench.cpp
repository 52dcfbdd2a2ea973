#include "editor/service/core/TestBench.h"

#include "common/ExchangeFiles.h"
#include "common/TextUtil.h"
#include "editor/service/core/NumberText.h"
#include "editor/codec/ImageLayout.h"
#include "editor/dataset/EditorData.h"
#include "editor/image/ToneLists.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vt {

namespace {
double Hertz(int tenths) { return tenths / 10.0; }
} // namespace

std::string TestBench::AdjustRxFreq(const std::string& sFreq) {
    const double value = ToDouble(sFreq).value_or(0.0);
    const double whole = std::floor(value);
    const double rest = value * 10000 - whole * 10000;
    const double step = 8.33 * 10;
    double multiple = 0;
    // rest is below 10000, so this stays under 121 rounds.
    while (multiple + step <= rest) multiple += step;
    return FormatFixed(multiple / 10000 + whole, 4);
}

std::string TestBench::MidTone(const std::string& text) {
    const auto parsed = ToDouble(text);
    if (!parsed) return "Error";
    const double v = *parsed;
    for (size_t i = 0; i + 1 < kStandardToneTenths.size(); ++i) {
        const double lo = Hertz(kStandardToneTenths[i]);
        const double hi = Hertz(kStandardToneTenths[i + 1]);
        // The pair around the high-tone boundary splits there, not at the midpoint.
        const bool gap = kStandardToneTenths[i] < layout::ch::HighToneTenths &&
                         kStandardToneTenths[i + 1] >= layout::ch::HighToneTenths;
        const double mid = gap ? Hertz(layout::ch::HighToneTenths) : (lo + hi) / 2;
        if (lo <= v && v < mid) return NumberText(lo);
        if (mid <= v && v <= hi) return NumberText(hi);
    }
    return "Error";
}

int TestBench::FindPattern(const uint8_t* list, int listLen, const uint8_t* pattern, int patternLen) {
    if (patternLen <= 0) return -1;
    for (int start = 0; start + patternLen <= listLen; ++start) {
        if (std::equal(pattern, pattern + patternLen, list + start)) return start;
    }
    return -1;
}

std::vector<std::string> TestBench::RasterLines() {
    std::vector<std::string> lines;
    double v = 0.00001;
    while (v < 1) {
        v += 0.0001;
        const std::string text = NumberText(v);
        lines.push_back(text + "-------------------" + AdjustRxFreq(text));
    }
    return lines;
}

std::vector<std::string> TestBench::ToneLines() {
    std::vector<std::string> lines;
    double x = Hertz(kCtcssFirstTenths);
    while (x <= Hertz(kCtcssLastTenths)) {
        const std::string text = NumberText(x);
        lines.push_back(text + "====" + MidTone(text));
        // Rounded to one decimal each time, so the walk never drifts off the tenths.
        x = ToDouble(FormatFixed(x + 0.1, 1)).value_or(1000.0);
    }
    return lines;
}

std::vector<std::string> TestBench::SnapshotLines(const std::vector<std::vector<std::string>>& allArray) {
    std::vector<std::string> lines{"1 |2 |3 |4 |5 |6 |7 |8 |9 |10 |11 |12 |13 |14 |"};
    for (size_t i = 1; i <= 104; ++i) {
        std::string line = IntText(static_cast<long long>(i) - 1);
        for (size_t j = 1; j <= 14; ++j) {
            line += '|';
            if (i < allArray.size() && j < allArray[i].size()) line += allArray[i][j];
        }
        lines.push_back(line);
    }
    return lines;
}

std::string TestBench::PatternTestLine() {
    const uint8_t list[] = {13, 10, 13, 11, 13, 10, 14, 13, 10, 13};
    const uint8_t pattern[] = {13, 10, 13, 10};
    return IntText(FindPattern(list, 10, pattern, 4));
}

std::vector<std::string> TestBench::ImageHexLines(const std::array<uint8_t, kImageSize>& image) {
    std::vector<std::string> lines;
    lines.reserve(image.size());
    char buf[4];
    for (uint8_t b : image) {
        std::snprintf(buf, sizeof buf, "%X", b);
        lines.emplace_back(buf);
    }
    return lines;
}

bool TestBench::LoadImageFile(const std::filesystem::path& path, EditorData& data, std::string* error) {
    std::string why;
    const auto bytes = ReadFileBytes(path, &why);
    if (!bytes) {
        if (error) *error = "Can't open " + path.string() + (why.empty() ? "" : ": " + why);
        return false;
    }
    if (bytes->size() < data.MemImage.size()) {
        if (error)
            *error = path.string() + " holds " + std::to_string(bytes->size()) + " bytes, not " +
                     std::to_string(data.MemImage.size());
        return false;
    }
    std::copy_n(bytes->begin(), data.MemImage.size(), data.MemImage.begin());
    return true;
}

bool TestBench::WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                           std::string* error) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return WriteFileReplace(path, reinterpret_cast<const uint8_t*>(text.data()), text.size(), error);
}

} // namespace vt
