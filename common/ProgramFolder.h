#pragma once
// The program folder holds both executables and their Language/, resource/ and Data/ folders,
// plus the exchange files of a transfer. Files named in the old Windows style ("\resource\enc.Tbl")
// are found whatever slashes and letter case the name uses.
#include <filesystem>
#include <string_view>

namespace vt {

// The folder of the running executable; VELTRA_HOME overrides it (tests, unusual installs).
std::filesystem::path ProgramFolder();

// Resolves a relative name below base. Either slash separates components; empty components are
// skipped. Each component is taken exactly when it exists, else the first case-insensitive match
// in name order; a component with no match is kept as written (so the result can be created).
std::filesystem::path ResolvePath(const std::filesystem::path& base, std::string_view relative);

// ResolvePath below the program folder.
std::filesystem::path ProgramPath(std::string_view relative);

} // namespace vt
