#include "editor/image/SettingsFields.h"

#include "common/TextUtil.h"
#include "editor/image/SettingsFieldNames.h"

#include <algorithm>

namespace vt {
namespace {

constexpr std::string_view kNewToneInfo = "|1|1|1|5|1";
constexpr std::string_view kNewFarmInfo = "0|||||0|||0|";

template <size_t N>
bool Fill(std::array<std::string, N>& fields, std::string_view text) {
    auto parts = SplitSettings(text);
    if (parts.size() != N) return false;
    std::copy(parts.begin(), parts.end(), fields.begin());
    return true;
}

// Whole-number text, or 0.
int WholeOrZero(const std::string& text) {
    auto v = ToWhole(text);
    return v && *v > 0 && *v < 100000 ? static_cast<int>(*v) : 0;
}

} // namespace

std::vector<std::string> SplitSettings(std::string_view text) {
    if (text.empty()) return {};
    return Split(text, '|');
}

int AnyKeyIsFunction5(const OptionFieldArray& f) {
    for (int i : {14, 16, 18, 20})
        if (f[i] == "5") return 1;
    return 0;
}

bool CellHasText(const std::string& cell) { return !Trim(cell).empty(); }

bool SettingsFields::SplitOptions(std::string_view radioOption) { return Fill(OptionFields, radioOption); }

bool SettingsFields::SplitToneSettings(std::string_view fiveToneInfo) {
    if (Fill(ToneFields, fiveToneInfo)) return true;
    Fill(ToneFields, kNewToneInfo);
    return false;
}

bool SettingsFields::SplitFarmSettings(std::string_view farmMarnetInfo) {
    if (Fill(FarmFields, farmMarnetInfo)) return true;
    Fill(FarmFields, kNewFarmInfo);
    return false;
}

int SettingsFields::AreaCount() const { return std::min(WholeOrZero(OptionFields[kOptNumberArea]), kMaxAreas); }
int SettingsFields::ChannelsPerArea() const { return WholeOrZero(OptionFields[kOptChInArea]); }

int SettingsFields::LastChannelRow(int gridRows) const { return gridRows - 2; }

int SettingsFields::RowBeforeLastUsed(int row) const {
    const int cpa = ChannelsPerArea();
    if (cpa <= 0 || row < 1) return 0;
    int a = (row + cpa - 1) / cpa; // first area whose end is not above the row
    if (a > kMaxAreas) return 0;
    return (a - 1) * cpa <= row && row <= RowUsed[a - 1] ? 1 : 0;
}

} // namespace vt
