#pragma once
// The FARMCALL/MARNET record (10 fields joined by "|") and the checks of its dialog.
#include <optional>
#include <string>

namespace vt {

struct EditorData;

struct FarmMarnetSettings {
    bool farm = false;
    std::string groupId, position, farmChannel, farmFreq;
    bool marnet = false;
    std::string marnetId, maxChannels;
    bool secondRx = false;
    std::string secFreq;

    // Exactly 10 fields, else nothing.
    static std::optional<FarmMarnetSettings> Parse(const std::string& info);
    // The record as stored: the fields of a switched-off FARMCALL or MARNET group are empty.
    std::string Join() const;
};

inline constexpr int kFarmGroupIdLength = 3;
inline constexpr int kMarnetIdLength = 5;
inline constexpr int kMaxPosition = 97;

// The dialog's boxes, for the checks made when one is left.
enum FarmBox : int { kGroupIdBox, kPositionBox, kFarmChannelBox, kFarmFreqBox, kMarnetIdBox, kMaxChannelsBox, kSecFreqBox };

struct FarmBoxVerdict {
    bool keep = true; // false: the box is emptied
    int tip = 0;      // help text to show, 0 for none
};

// 1 when the frequency text lies within the current band (edges included), else 0.
int CheckFreq(const EditorData& d, const std::string& freq);
// What leaving a box with this text does.
FarmBoxVerdict CheckFarmBox(FarmBox box, const std::string& text, const EditorData& d);

// 1 when the settings may be stored, else the negative check code of the first failure.
int CheckFarmSettings(const FarmMarnetSettings& s, const EditorData& d);
// The language entry (Ffarm_Msg) of a check code; code -7 does not exist.
int FarmMessageEntry(int code);

} // namespace vt
