#include "common/Cp1252.h"
#include "editor/shell/core/CellRules.h"

namespace vt {

namespace {
std::string Utf8Of(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}
} // namespace

CellCommit CommitName(const std::string& cell, std::string_view input, std::string_view field) {
    CellCommit c;
    char32_t bad = 0;
    if (!Utf8ToCp1252(input, &bad)) {
        c.Text = cell;
        c.Message = std::string(field) + ": the character \"" + Utf8Of(bad) +
                    "\" cannot be stored in the radio's memory.";
        return c;
    }
    c.Text = std::string(input);
    c.Accepted = true;
    return c;
}

} // namespace vt
