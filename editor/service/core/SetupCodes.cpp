#include "editor/service/core/SetupCodes.h"

namespace vt {

SetupCodeSet SetupCodesFor(int setupType) {
    switch (setupType) {
    case 1:
        return {"AC", "AE", "AF", "AD"};
    case 2:
        return {"A9", "A7", "A8", "AD"};
    default:
        return {"AC", "AA", "AB", "AD"};
    }
}

int ConvertHexChr(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::vector<uint8_t> strHexToByteArray(std::string_view text) {
    std::vector<uint8_t> bytes;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        const int hi = ConvertHexChr(text[i]);
        if (hi < 0 || i + 1 >= text.size()) break;
        const int lo = ConvertHexChr(text[i + 1]);
        if (lo < 0) break;
        bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
        i += 2;
    }
    return bytes;
}

} // namespace vt
