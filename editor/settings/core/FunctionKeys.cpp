#include "editor/settings/core/FunctionKeys.h"

#include "editor/settings/core/OptionLists.h"

namespace vt {

using namespace OptionLists;

KeyState ChooseKey(KeyState state, int key, int item) {
    if (key < 0 || key >= kKeyCount) return state;
    state.mode.reset();
    state.item[static_cast<size_t>(key)] = item;
    bool& enabled = state.numberEnabled[static_cast<size_t>(key)];
    if (item == kKeySelectCall) {
        enabled = true;
    } else if (item == kKeyAcs || item == kKeyTrunk) {
        int other = item == kKeyAcs ? kKeyTrunk : kKeyAcs;
        for (int& k : state.item)
            if (k == other) k = item;
        state.mode = item == kKeyAcs ? TrunkMode::Acs : TrunkMode::Trunk;
    } else {
        enabled = false;
    }
    return state;
}

bool AlarmNumberEnabled(int item) { return item == kFunctionSelectCall; }

std::string TrunkFrameCaption(TrunkMode mode) { return mode == TrunkMode::Acs ? "ACS" : "TRUNK"; }

std::string SearchRoundCaption(TrunkMode mode) {
    return mode == TrunkMode::Acs ? "ACS Search round" : "Search round";
}

} // namespace vt
