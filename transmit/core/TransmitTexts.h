#pragma once
// The tool's texts in English or Chinese, chosen once at start by the language byte of Msg.sys.
// Only the three labels and the four end-of-transfer messages are translated; every other message
// of the tool is English in both languages.
#include "common/ExchangeFiles.h"

#include <array>
#include <cstdint>
#include <string>

namespace vt {

struct TransmitTexts {
    std::array<std::string, 3> labels;   // START, STOP, group box
    std::array<std::string, 4> messages; // echo error, interrupted, radio not found, completed
    bool chinese = false;                // Qt's own texts (the boxes' buttons) follow it

    static TransmitTexts ForLanguage(uint8_t languageByte); // 0 English, anything else Chinese
};

enum TransmitMessage { MsgEchoError = 0, MsgInterrupted = 1, MsgNoRadio = 2, MsgCompleted = 3 };

// What the tool shows when an exchange file fails: a failed open or write shows the system error
// number, as the users have always seen it.
std::string ExchangeMessage(const ExchangeResult& result);

} // namespace vt
