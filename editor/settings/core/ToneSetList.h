#pragma once
// The tone sets the radio knows, in the order of their stored index. The 5-tone dialog's lists
// and the report both take the names from here, so an index always means the same set.
#include "editor/image/ToneCodes.h"

#include <string>

namespace vt {

// The names themselves are the image code's kToneSetNames.
inline constexpr int kToneSetCount = kToneStandards;
inline constexpr int kDefaultToneSet = 1; // ZVEI1

// Name of tone set index, "" outside the list.
inline std::string ToneSetName(int index) {
    return index >= 0 && index < kToneSetCount ? std::string(kToneSetNames[static_cast<size_t>(index)])
                                               : std::string();
}

// Index of a tone-set name (exact), -1 when it is not one.
inline int ToneSetIndex(const std::string& name) {
    for (int i = 0; i < kToneSetCount; ++i)
        if (name == kToneSetNames[static_cast<size_t>(i)]) return i;
    return -1;
}

} // namespace vt
