#include "editor/image/CallTexts.h"

namespace vt {

std::string CodeFetchText(const std::string& id, const std::string& pin, const std::string& level) {
    return "ROBOT " + id + " PIN " + pin + " " + level;
}

std::string QueryAlarmText(const std::string& id) { return "ROBOT " + id + " QUERY ALARM"; }

std::string AlarmText(const std::string& id) { return "ROBOT " + id + " ALARM"; }

std::string PanicText(const std::string& id) { return "ROBOT " + id + " PANIC"; }

std::string MarnetText(const std::string& id) { return "MARNET " + id; }

std::string FarmcallText(const std::string& id) { return "FARMCALL " + id; }

std::string CallText(const std::string& digits) { return std::string(kCallPrefix) + digits; }

std::string WithMessageNumber(const std::string& callText, const std::string& number) {
    return callText + " MESS NO " + number;
}

} // namespace vt
