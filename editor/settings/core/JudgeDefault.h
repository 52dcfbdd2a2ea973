#pragma once
// Before a write to the radio: does the option record forbid changing the area or the channel
// on the radio, so that the user must choose the ones it keeps?
#include <string>

namespace vt {

inline constexpr int kAskArea = 1;
inline constexpr int kAskChannel = 2;

struct DefaultAsk {
    int code = 0;     // kAskArea + kAskChannel as they apply, 0 when nothing is asked
    int areas = 0;    // choices of the area list (1..10)
    int channels = 0; // choices of the channel list, counted through all areas (1..200)
};

// Nothing is asked for a record without exactly kOptionFieldCount fields or with a non-numeric field 0 or 1.
DefaultAsk AskDefaults(const std::string& radioOption);

// The ask code alone, 0 to 3.
int JudgeDefault(const std::string& radioOption);

// The record with the chosen list positions (from 0) stored in field 38 (area) and field 36
// (channel) as the ask code says; every other field goes back as it was. A record that asks
// nothing comes back unchanged.
std::string StoreDefaults(const std::string& radioOption, int areaIndex, int channelIndex);

} // namespace vt
