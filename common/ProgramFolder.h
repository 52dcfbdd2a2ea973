#pragma once
// Where the programs find their files. Two roles:
//  - what ships (the executables, Language/, resource/) is read from where the program was
//    installed: share/veltra beside bin/ in an install, the executable's own folder in the
//    build tree (build/app);
//  - what the programs write (Data/, the exchange files, saved voltage tables, the test window's
//    files, ports/COM<n> links) lives in the program folder, a per-user folder that a rebuild or
//    a read-only install never touches. A file there takes the place of the shipped one.
// Files named in the old Windows style ("\resource\enc.Tbl") are found whatever slashes and
// letter case the name uses.
#include <filesystem>
#include <string>
#include <string_view>

namespace vt {

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

// The folder of the shipped files for an executable in exeFolder: the install's share/veltra
// when it is there, else exeFolder itself.
std::filesystem::path ShippedFolderOf(const std::filesystem::path& exeFolder);
std::filesystem::path ShippedFolder();

// The transfer tool the editor in exeFolder starts: the install's libexec/veltra when the
// editor is installed, else beside it (the build tree). No environment variable moves it.
std::filesystem::path ToolProgramOf(const std::filesystem::path& exeFolder);
std::filesystem::path ToolProgram();

// The program folder, where both programs write: VELTRA_HOME when set (tests, several
// independent setups); else veltra-user in $XDG_DATA_HOME (an absolute XDG_DATA_HOME only) or
// in ~/.local/share; but the earlier versions' veltra there while it holds Data/ and
// veltra-user does not exist.
std::filesystem::path ProgramFolder();

// Creates the program folder and its Data/ when missing. False, with the reason, when it cannot.
bool PrepareProgramFolder(std::string* error = nullptr);

// Resolves a relative name below base. Either slash separates components; empty components are
// skipped. Each component is taken exactly when it exists, else the first case-insensitive match
// in name order; a component with no match is kept as written (so the result can be created).
std::filesystem::path ResolvePath(const std::filesystem::path& base, std::string_view relative);

// ResolvePath below the program folder: where a program writes the file.
std::filesystem::path ProgramPath(std::string_view relative);

// The file to read: the program folder's copy when there is one, else the shipped one.
std::filesystem::path LookupPath(std::string_view relative);

} // namespace vt
