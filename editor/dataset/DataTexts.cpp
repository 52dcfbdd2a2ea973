#include "editor/dataset/DataTexts.h"

#include "common/TextUtil.h"
#include "editor/dataset/LanguageTexts.h"

namespace vt {

std::string DataText(const LanguageTexts& lang, DataMsg msg, std::initializer_list<std::string_view> values) {
    return FillIn(lang.Text("Fdata_Msg", static_cast<int>(msg)), values);
}

std::string FieldText(const LanguageTexts& lang, DataField name, std::initializer_list<std::string_view> values) {
    return FillIn(lang.Text("Fdata_Field", static_cast<int>(name)), values);
}

std::string OptionFieldText(const LanguageTexts& lang, int field) { return lang.Text("Fdata_Field", kOptionFieldTexts + field); }
std::string ToneFieldText(const LanguageTexts& lang, int field) { return lang.Text("Fdata_Field", kToneFieldTexts + field); }
std::string FarmFieldText(const LanguageTexts& lang, int field) { return lang.Text("Fdata_Field", kFarmFieldTexts + field); }

std::string ToneLinePartText(const LanguageTexts& lang, int line, DataField part) {
    return FieldText(lang, DataField::LinePart, {FieldText(lang, DataField::ToneLine, {IntText(line)}), FieldText(lang, part)});
}

} // namespace vt
