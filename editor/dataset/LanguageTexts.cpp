#include "editor/dataset/LanguageTexts.h"

#include "editor/dataset/LngFile.h"

namespace vt {

const std::vector<LanguageSection>& LanguageSections() {
    static const std::vector<LanguageSection> sections = {
        {"Fradio_Msg", 33},         {"Fradio_Tip", 25},         {"Fradio_Interface", 35},
        {"Ftone_Msg", 5},           {"Ftone_Tip", 15},          {"Ftone_Interface", 20},
        {"Farea_Msg", 1},           {"Farea_Tip", 1},           {"Farea_Interface", 5},
        {"Fdefault_Msg", 1},        {"Fdefault_Tip", 1},        {"Fdefault_Interface", 5},
        {"Ffarm_Msg", 15},          {"Ffarm_Tip", 15},          {"Ffarm_Interface", 15},
        {"Foption_Msg", 5},         {"Foption_Tip", 1},         {"Foption_Interface", 40},
        {"Fspecial_Msg", 7},        {"Fspecial_Tip", 15},       {"Fspecial_Interface", 40},
        {"Fmain_Msg", 10},          {"Fmain_Tip", 1},           {"Fmain_Interface", 15},
        {"Fport_Msg", 1},           {"Fport_Tip", 1},           {"Fport_Interface", 6},
        {"Fabout_Interface", 5},    {"Fdata_Msg", 40},          {"Fdata_Field", 90},
    };
    return sections;
}

LanguageTexts::LanguageTexts() {
    for (const auto& s : LanguageSections()) arrays_[s.key].assign(static_cast<size_t>(s.upper) + 1, std::string());
}

const std::string& LanguageTexts::Get(const std::string& section, int index) const {
    static const std::string empty;
    auto it = arrays_.find(section);
    if (it == arrays_.end() || index < 0 || index >= static_cast<int>(it->second.size())) return empty;
    return it->second[static_cast<size_t>(index)];
}

const std::string& LanguageTexts::Text(const std::string& section, int index) const {
    const std::string& text = Get(section, index);
    return text.empty() ? BuiltInEnglish().Get(section, index) : text;
}

void LanguageTexts::Set(const std::string& section, int index, const std::string& text) {
    auto it = arrays_.find(section);
    if (it == arrays_.end() || index < 0 || index >= static_cast<int>(it->second.size())) return;
    it->second[static_cast<size_t>(index)] = text;
}

int LanguageTexts::Upper(const std::string& section) const {
    auto it = arrays_.find(section);
    return it == arrays_.end() ? -1 : static_cast<int>(it->second.size()) - 1;
}

} // namespace vt
