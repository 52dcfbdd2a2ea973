// Language files: any file up to the size limit loads (lines that do not parse are skipped) and
// a larger one is refused with the texts untouched; loading the same file a second time over the
// result changes nothing.
#include "fuzz/FuzzSupport.h"

#include "editor/dataset/LanguageTexts.h"
#include "editor/dataset/LngFile.h"

using namespace vt;

namespace {
bool Same(const LanguageTexts& a, const LanguageTexts& b) {
    for (const auto& s : LanguageSections())
        for (int i = 0; i <= s.upper; ++i)
            if (a.Get(s.key, i) != b.Get(s.key, i)) return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto file = fuzz::ScratchDir() / "input.lng";
    fuzz::WriteBytes(file, data, size);
    (void)CleanLngText(std::string_view(reinterpret_cast<const char*>(data), size));

    LanguageTexts texts, fresh;
    const LngLoad r = LoadLngFile(texts, file);
    if ((r == LngLoad::Refused) != (size > kMaxLngFileSize))
        fuzz::Fail("a file of " + std::to_string(size) + " bytes was " + (r == LngLoad::Refused ? "refused" : "loaded"));
    if (r == LngLoad::Refused && !Same(texts, fresh)) fuzz::Fail("a refused file changed the texts");

    LanguageTexts twice = texts;
    LoadLngFile(twice, file);
    if (!Same(twice, texts)) fuzz::Fail("loading the same file again changed the texts");
    return 0;
}
