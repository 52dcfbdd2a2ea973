#include "tone_test_support.h"

#include "editor/dataset/EditorData.h"
#include "editor/dataset/LngFile.h"

#include <filesystem>

namespace vt::test {

bool LoadToneLanguage(EditorData& d, const std::string& name) {
    auto path = std::filesystem::path(VELTRA_SOURCE_DIR) / "data" / "Language" / (name + ".lng");
    d.LangCode = name == "Chinese" ? "chs" : "eng";
    return LoadLngFile(d.Lang, path) == LngLoad::Loaded;
}

} // namespace vt::test
