#include "common/ModFun.h"

#include "common/TextUtil.h"

namespace vt {

int StrToIntDef(std::string_view text) {
    auto v = ToInt16(text);
    return v ? *v : 0;
}

std::string InsertRepeatTone(std::string_view digits) {
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        out += digits[i];
        if (i + 1 < n && digits[i + 1] == digits[i]) {
            out += 'R';
            ++i;
        }
    }
    return ToUpperAscii(out);
}

int RoundDownToStep(std::string_view text, int step) {
    if (step <= 0) return -1;
    auto v = ToInt16(text);
    if (!v || *v <= 0) return -1;
    return (*v / step) * step;
}

std::string JoinFields(const std::vector<std::string>& fields) { return Join(fields, "|"); }

} // namespace vt
