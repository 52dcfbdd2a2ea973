#pragma once
// The tool's texts in English or Chinese, chosen once at start by the language byte of Msg.sys.
// The three labels, the four end-of-transfer messages and the reasons a port does not open are
// translated; every other message of the tool is English in both languages.
#include "common/ExchangeFiles.h"
#include "common/SerialPort.h"

#include <array>
#include <cstdint>
#include <string>

namespace vt {

struct TransmitTexts {
    std::array<std::string, 3> labels;   // START, STOP, group box
    std::array<std::string, 4> messages; // echo error, interrupted, radio not found, completed
    // Why a port did not open, by PortReason. "%1" stands for a PID, "%2" for a lock file.
    std::array<std::string, 7> portReasons;
    bool chinese = false;                // Qt's own texts (the boxes' buttons) follow it

    static TransmitTexts ForLanguage(uint8_t languageByte); // 0 English, anything else Chinese
};

enum TransmitMessage { MsgEchoError = 0, MsgInterrupted = 1, MsgNoRadio = 2, MsgCompleted = 3 };
enum PortReason {
    PortNoDevice = 0, PortNotSerial, PortInUse, PortExclusive, PortLockedBy, PortLocked, PortSettings
};

// The line under "Can't Open COM Port!": the device tried and why it did not open, the system's
// own words where a system call said no. For a COM number without a device, name is "COM<n>".
std::string PortFailureText(const TransmitTexts& texts, const std::string& name, const PortOpenError& error);
std::string NoDeviceText(const TransmitTexts& texts, const std::string& portName);

// What the tool shows when an exchange file fails: a failed open or write shows the system error
// number, as the users have always seen it.
std::string ExchangeMessage(const ExchangeResult& result);

} // namespace vt
