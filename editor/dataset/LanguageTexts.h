#pragma once
// The window texts of the current language, one array per section of the language file.
#include <map>
#include <string>
#include <vector>

namespace vt {

struct LanguageSection {
    const char* key; // section key without "@@", e.g. "Fradio_Msg"
    int upper;       // highest index
};

// The sections in the order in which a line's key is looked for: the 28 of the windows, then
// those of the data's own texts (DataTexts.h).
const std::vector<LanguageSection>& LanguageSections();

class LanguageTexts {
public:
    LanguageTexts();
    // The entry as loaded; "" for an unknown section or an index outside its array.
    const std::string& Get(const std::string& section, int index) const;
    // The entry to show: as loaded, or the built-in English one where the file gave none, so
    // that a damaged or older file never leaves a caption or a message empty.
    const std::string& Text(const std::string& section, int index) const;
    // Ignored for an unknown section or an index outside its array.
    void Set(const std::string& section, int index, const std::string& text);
    int Upper(const std::string& section) const; // -1 for an unknown section

private:
    std::map<std::string, std::vector<std::string>> arrays_;
};

} // namespace vt
