#pragma once
// Language files: lines of "section key@@index@@text" read into the text arrays.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vt {

struct EditorData;
class LanguageTexts;

// Larger files are refused as a whole.
inline constexpr std::uintmax_t kMaxLngFileSize = 120000;
// Shown when the file of the current language is refused, missing or unreadable.
inline constexpr const char* kLngFileErrorMsg = "Not Found Lng file, Please ReInstall the software!";

enum class LngLoad { Loaded, Refused };

// Trims blanks at both ends, then "<sp>" -> " " and "<br>" -> carriage return.
std::string CleanLngText(std::string_view text);

// Reads one file over the arrays: entries the file gives are replaced, all others keep their
// text. Lines without a key, with other than three parts, with an index that is no number or
// lies outside its section are skipped. Refused (arrays untouched): missing, unreadable, or
// larger than kMaxLngFileSize.
LngLoad LoadLngFile(LanguageTexts& texts, const std::filesystem::path& file);

// The shipped English file as built into the program.
const LanguageTexts& BuiltInEnglish();

// The program folder's Language/English.lng for "eng", Language/Chinese.lng otherwise.
std::filesystem::path LngFilePath(const std::string& langCode);

// The file of d.LangCode into d.Lang.
LngLoad LoadLngFile(EditorData& d);

} // namespace vt
