#include "editor/service/core/SetupBoxCheck.h"

#include "common/TextUtil.h"

namespace vt {

SetupBoxCheck SetupBoxCheck::Run(std::string_view text) {
    SetupBoxCheck r;
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) {
        r.verdict = Verdict::NoValue;
        r.message = "no value!";
        return r;
    }
    if (!IsNumeric(trimmed)) {
        r.verdict = Verdict::NotNumber;
        r.message = "input number";
        return r;
    }
    // A number too large for a whole number is as out of range as 256.
    const auto whole = ToWhole(trimmed);
    if (!whole || *whole < 1 || *whole > 255) {
        r.verdict = Verdict::OutOfRange;
        r.message = "incorrect value!";
        return r;
    }
    r.value = static_cast<uint8_t>(*whole);
    return r;
}

} // namespace vt
