#pragma once
// The tool's texts in English or Chinese, chosen once at start by the language byte of Msg.sys.
// Only the three labels and the four end-of-transfer messages are translated.
#include <array>
#include <cstdint>
#include <string>

namespace vt {

struct TransmitTexts {
    std::array<std::string, 3> labels;   // START, STOP, group box
    std::array<std::string, 4> messages; // echo error, interrupted, radio not found, completed

    static TransmitTexts ForLanguage(uint8_t languageByte); // 0 English, anything else Chinese
};

enum TransmitMessage { MsgEchoError = 0, MsgInterrupted = 1, MsgNoRadio = 2, MsgCompleted = 3 };

} // namespace vt
