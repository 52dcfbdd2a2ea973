#include "transmit/core/TransmitTexts.h"

namespace vt {

TransmitTexts TransmitTexts::ForLanguage(uint8_t languageByte) {
    if (languageByte == 0)
        return {{"START", "STOP", "Progress"},
                {"Error: Incorrect Echo Data!", "Error: Interrupted Data!", "Error: Can't Find Radio!",
                 "Completed Process!"}};
    return {{"开始", "停止", "进度"},
            {"错误: 电台回显错误!", "错误: 意外中断!", "错误: 无法联系到电台!", "成功: 完成!"},
            true};
}

std::string ExchangeMessage(const ExchangeResult& result) {
    switch (result.failure) {
    case ExchangeFailure::None: return {};
    case ExchangeFailure::Open:
    case ExchangeFailure::Write: return std::to_string(result.sysError);
    case ExchangeFailure::Length: return "Error File Length!!";
    case ExchangeFailure::Read: return "Error Read!!";
    case ExchangeFailure::Save: return "Can't open buffer file";
    }
    return {};
}

} // namespace vt
