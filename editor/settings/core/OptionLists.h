#pragma once
// Item lists of the radio options dialog. The report reads the same texts, so they live here
// as plain constants; the dialog fills its lists from them. The stored value of a list field is
// the item's index, and the texts are compared by code, so they stay English in every language.
#include "editor/image/OptionFieldTable.h"
#include "editor/image/SettingsFieldNames.h"

#include <array>
#include <string_view>

namespace vt::OptionLists {

// The four function-key lists hold the same items.
inline constexpr std::array<std::string_view, 8> KeyItems = {
    "MENU", "EMERGENCY", "SELECT CALL", "CALL", "TRUNK", "ACS", "FREE", "NONE"};
inline constexpr const auto& ComboF1 = KeyItems;
inline constexpr const auto& ComboF2 = KeyItems;
inline constexpr const auto& ComboF3 = KeyItems;
inline constexpr const auto& ComboF4 = KeyItems;

using vt::kKeyAcs, vt::kKeyCall, vt::kKeyEmergency, vt::kKeyFree, vt::kKeyMenu, vt::kKeyNone, vt::kKeySelectCall,
    vt::kKeyTrunk;
static_assert(KeyItems[kKeyAcs] == "ACS" && KeyItems[kKeyNone] == "NONE");
static_assert(KeyItems.size() == kKeyFunctionCount);

// The alarm input pin.
inline constexpr std::array<std::string_view, 2> ComboFunction = {"EMERGENCY", "SELECT CALL"};
inline constexpr int kFunctionSelectCall = 1;
static_assert(ComboFunction.size() == kAlarmFunctionCount);

// These two are stored as the item text, not the index.
inline constexpr std::array<std::string_view, 2> ComboHeadDial = {"CHANNEL", "VOLUME"};
inline constexpr std::array<std::string_view, 2> ComboCTsen = {"HIGH", "LOW"};

// Fixed volume and mute levels: items "1" to "16", index 0 to 15.
inline constexpr int kLevelCount = kOptionLevelCount;

// Item text of a list, "" for an index outside it (a decoded file may hold anything).
template <size_t N>
constexpr std::string_view ItemText(const std::array<std::string_view, N>& items, long long index) {
    return index >= 0 && index < static_cast<long long>(N) ? items[static_cast<size_t>(index)] : std::string_view{};
}

} // namespace vt::OptionLists
