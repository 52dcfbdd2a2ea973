#include "common/TextUtil.h"
#include "common/Cp1252.h"
#include "editor/dataset/CellRules.h"
#include "editor/dataset/DataTexts.h"

namespace vt {

CellCommit CommitName(const std::string& cell, std::string_view input, std::string_view field,
                      const LanguageTexts& lang) {
    CellCommit c;
    if (auto bad = NameRefusal(input)) {
        c.Text = cell;
        c.Message = DataText(lang, DataMsg::CharRefused, {field, CharForMessage(*bad)});
        return c;
    }
    c.Text = std::string(input);
    c.Accepted = true;
    return c;
}

CellCommit CommitChannelName(const std::string& cell, std::string_view input, std::string_view field,
                             const LanguageTexts& lang) {
    CellCommit c = CommitName(cell, input, field, lang);
    // A channel's name slot is padded with blanks and read back trimmed: blanks at either end
    // would not survive a save, so the cell never holds them.
    if (c.Accepted) c.Text = Trim(c.Text);
    return c;
}

} // namespace vt
