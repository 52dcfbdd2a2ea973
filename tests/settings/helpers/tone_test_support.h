#pragma once
// Shared set-up of the 5-tone, special-call and FARMCALL/MARNET window tests.
#include <string>

namespace vt {
struct EditorData;
}

namespace vt::test {

// Reads data/Language/<name>.lng of the source tree into d.Lang; false when it is missing.
bool LoadToneLanguage(EditorData& d, const std::string& name);

} // namespace vt::test
