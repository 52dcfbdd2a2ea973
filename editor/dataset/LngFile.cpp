#include "editor/dataset/LngFile.h"

#include "common/ProgramFolder.h"
#include "common/TextUtil.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/LanguageTexts.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace vt {

extern const std::string_view kBuiltInEnglishLng; // generated from data/Language/English.lng

namespace {
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
    std::string out;
    size_t start = 0;
    for (size_t pos = s.find(from); pos != std::string_view::npos; pos = s.find(from, start)) {
        out.append(s.substr(start, pos - start)).append(to);
        start = pos + from.size();
    }
    return out.append(s.substr(start));
}

std::vector<std::string_view> SplitAt(std::string_view line, std::string_view sep) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t pos = line.find(sep); pos != std::string_view::npos; pos = line.find(sep, start)) {
        parts.push_back(line.substr(start, pos - start));
        start = pos + sep.size();
    }
    parts.push_back(line.substr(start));
    return parts;
}

// Lines end with CR LF, a lone CR or a lone LF.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

void ReadLine(LanguageTexts& texts, std::string_view line) {
    const LanguageSection* section = nullptr;
    for (const auto& s : LanguageSections())
        if (line.find(std::string(s.key) + "@@") != std::string_view::npos) {
            section = &s;
            break;
        }
    if (!section) return;
    auto parts = SplitAt(line, "@@");
    if (parts.size() != 3) return;
    auto index = ToWhole(parts[1]);
    if (!index || *index < 0 || *index > section->upper) return;
    texts.Set(section->key, static_cast<int>(*index), CleanLngText(parts[2]));
}
} // namespace

std::string CleanLngText(std::string_view text) {
    return ReplaceAll(ReplaceAll(Trim(text), "<sp>", " "), "<br>", "\r");
}

LngLoad LoadLngFile(LanguageTexts& texts, const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaxLngFileSize) return LngLoad::Refused;
    std::ifstream in(file, std::ios::binary);
    if (!in) return LngLoad::Refused;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || content.size() > kMaxLngFileSize) return LngLoad::Refused;
    for (auto line : Lines(content)) ReadLine(texts, line);
    return LngLoad::Loaded;
}

const LanguageTexts& BuiltInEnglish() {
    static const LanguageTexts english = [] {
        LanguageTexts t;
        for (auto line : Lines(kBuiltInEnglishLng)) ReadLine(t, line);
        return t;
    }();
    return english;
}

std::filesystem::path LngFilePath(const std::string& langCode) {
    return LookupPath(langCode == "eng" ? "\\Language\\English.lng" : "\\Language\\Chinese.lng");
}

LngLoad LoadLngFile(EditorData& d) { return LoadLngFile(d.Lang, LngFilePath(d.LangCode)); }

} // namespace vt
