#pragma once
// The function-key rule of the options dialog: which number box a key's choice enables, and how
// "ACS" and "TRUNK" exclude each other across all four keys. Pure, so the dialog applies it once
// per user choice and sets the lists without re-entering their handlers.
#include <array>
#include <optional>
#include <string>

namespace vt {

// Keys in the order the rule walks them: ComboF1, ComboF2, ComboF3, ComboF4.
inline constexpr int kKeyCount = 4;

enum class TrunkMode { Acs, Trunk };

struct KeyState {
    std::array<int, kKeyCount> item{};          // key list index
    std::array<bool, kKeyCount> numberEnabled{}; // number box beside the key
    std::optional<TrunkMode> mode;                // set when this choice was ACS or TRUNK
};

// Key `key` (0..3) was set to item `item`: "SELECT CALL" enables its number box, "ACS" or
// "TRUNK" turn every key holding the other word into the chosen one and leave the box as it
// was, every other item disables the box.
KeyState ChooseKey(KeyState state, int key, int item);

// The alarm input's number box is editable only for "SELECT CALL".
bool AlarmNumberEnabled(int item);

// Captions of the trunking frame and of its search round label in each mode.
std::string TrunkFrameCaption(TrunkMode mode);
std::string SearchRoundCaption(TrunkMode mode);

} // namespace vt
