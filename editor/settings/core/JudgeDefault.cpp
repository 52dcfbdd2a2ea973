#include "editor/settings/core/JudgeDefault.h"

#include "common/TextUtil.h"
#include "editor/settings/core/RadioOptionRecord.h"

#include <algorithm>

namespace vt {

DefaultAsk AskDefaults(const std::string& radioOption) {
    DefaultAsk ask;
    auto rec = RadioOptionRecord::Parse(radioOption);
    if (!rec) return ask;
    auto areas = ToInt16((*rec)[kOptNumberArea]);
    auto perArea = ToInt16((*rec)[kOptChInArea]);
    if (!areas || !perArea) return ask;
    // A decoded file may hold counts the grid never has; the lists stay within the grid.
    ask.areas = std::clamp<int>(*areas, 1, kMaxAreas);
    ask.channels = std::clamp(ask.areas * std::max<int>(*perArea, 1), 1, kMaxChannels);
    if (*areas >= 2 && (*rec)[kOptAreachange] == "0") ask.code += kAskArea;
    if ((*rec)[kOptChannelchange] == "0") ask.code += kAskChannel;
    return ask;
}

int JudgeDefault(const std::string& radioOption) { return AskDefaults(radioOption).code; }

std::string StoreDefaults(const std::string& radioOption, int areaIndex, int channelIndex) {
    DefaultAsk ask = AskDefaults(radioOption);
    if (ask.code == 0) return radioOption;
    auto rec = RadioOptionRecord::Parse(radioOption);
    if (ask.code & kAskArea) (*rec)[kOptDefaultArea] = IntText(std::clamp(areaIndex, 0, ask.areas - 1));
    if (ask.code & kAskChannel)
        (*rec)[kOptDefaultChannel] = IntText(std::clamp(channelIndex, 0, ask.channels - 1));
    return rec->Join();
}

} // namespace vt
