#include "transmit/core/TransmitTexts.h"

#include <cstring>
#include <utility>

namespace vt {

TransmitTexts TransmitTexts::ForLanguage(uint8_t languageByte) {
    if (languageByte == 0)
        return {{"START", "STOP", "Progress"},
                {"Error: Incorrect Echo Data!", "Error: Interrupted Data!", "Error: Can't Find Radio!",
                 "Completed Process!"},
                {"no device belongs to this port number", "not a serial port", "in use by another program",
                 "held exclusively by another program", "locked by process %1 (%2)", "locked by another program (%2)",
                 "the port refused its settings"}};
    return {{"开始", "停止", "进度"},
            {"错误: 电台回显错误!", "错误: 意外中断!", "错误: 无法联系到电台!", "成功: 完成!"},
            {"没有与此端口号对应的设备", "不是串口", "正被另一个程序使用", "被另一个程序独占",
             "被进程 %1 锁定 (%2)", "被另一个程序锁定 (%2)", "串口拒绝了设置"},
            true};
}

namespace {
std::string Fill(std::string text, const PortOpenError& error) {
    for (auto [mark, value] : {std::pair<const char*, std::string>{"%1", std::to_string(error.owner)},
                               {"%2", error.lockFile.string()}})
        if (auto at = text.find(mark); at != std::string::npos) text.replace(at, 2, value);
    return text;
}
} // namespace

std::string PortFailureText(const TransmitTexts& texts, const std::string& name, const PortOpenError& error) {
    using Kind = PortOpenError::Kind;
    std::string reason;
    switch (error.kind) {
    case Kind::None:
    case Kind::System: break;
    case Kind::NotATerminal: reason = texts.portReasons[PortNotSerial]; break;
    case Kind::InUse: reason = texts.portReasons[PortInUse]; break;
    case Kind::HeldExclusively: reason = texts.portReasons[PortExclusive]; break;
    case Kind::LockedByProcess:
        reason = Fill(texts.portReasons[error.owner ? PortLockedBy : PortLocked], error);
        break;
    case Kind::Settings: reason = texts.portReasons[PortSettings]; break;
    }
    if (error.sysError) reason += (reason.empty() ? "" : ": ") + std::string(std::strerror(error.sysError));
    return name + ": " + reason;
}

std::string NoDeviceText(const TransmitTexts& texts, const std::string& portName) {
    return portName + ": " + texts.portReasons[PortNoDevice];
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
