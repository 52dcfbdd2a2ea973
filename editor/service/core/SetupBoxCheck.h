#pragma once
// The test a manual setup box runs on leaving it (and the setup window runs again on closing):
// a setup byte is a whole number from 1 to 255.
#include <cstdint>
#include <string>
#include <string_view>

namespace vt {

struct SetupBoxCheck {
    enum class Verdict { Ok, NoValue, NotNumber, OutOfRange };

    Verdict verdict = Verdict::Ok;
    uint8_t value = 0;    // the byte when the verdict is Ok
    std::string message;  // the fixed text of the box's message, empty when Ok

    bool ok() const { return verdict == Verdict::Ok; }

    // The text a refused box is reset to.
    static constexpr const char* kResetText = "32";

    static SetupBoxCheck Run(std::string_view text);
};

} // namespace vt
