#pragma once
// The texts of the 5-tone list lines that special calls and FARMCALL/MARNET write. The dialogs
// build them and the decoder rebuilds them from the image; both use these, so a line the editor
// wrote is still recognised after a read.
#include "editor/image/ToneCodes.h"

#include <string>
#include <string_view>

namespace vt {

// The channel column's "the channel in use".
inline constexpr std::string_view kCurrentChannel = "CURRENT";
// The tone set of the lines the special calls write, and of a fresh list.
inline constexpr std::string_view kCallToneSet = kToneSetNames[1];
// What a typed call or a call to another user shows before its digits.
inline constexpr std::string_view kCallPrefix = "CALL ";
inline constexpr std::string_view kEmergencyCallText = "EMERGENCY";

std::string CodeFetchText(const std::string& id, const std::string& pin, const std::string& level);
std::string QueryAlarmText(const std::string& id);
std::string AlarmText(const std::string& id);
std::string PanicText(const std::string& id);
std::string MarnetText(const std::string& id);
std::string FarmcallText(const std::string& id);
// kCallPrefix and the digits.
std::string CallText(const std::string& digits);
// A call that announces a stored message: its text and the message number.
std::string WithMessageNumber(const std::string& callText, const std::string& number);

} // namespace vt
