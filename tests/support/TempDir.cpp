#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace vt::test {

TempDir::TempDir(std::string_view prefix) {
    std::string tmpl = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (!::mkdtemp(tmpl.data()))
        throw std::system_error(errno, std::generic_category(), "cannot create a temporary folder " + tmpl);
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    // A test may have closed parts of the folder to its owner; open them again so that
    // everything goes.
    for (auto it = fs::recursive_directory_iterator(path_, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

fs::path TempDir::File(std::string_view relative) const { return path_ / fs::path(relative); }

void TempDir::Write(std::string_view relative, const std::vector<uint8_t>& bytes) const {
    const fs::path p = File(relative);
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> TempDir::Read(std::string_view relative) const {
    std::ifstream in(File(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void TempDir::OpenToEveryone() const {
    fs::permissions(path_, fs::perms::others_read | fs::perms::others_exec | fs::perms::group_read | fs::perms::group_exec,
                    fs::perm_options::add);
}

fs::path BuildProgramFolder() { return fs::path(VELTRA_APP_DIR); }

fs::path ScreenshotFolder() {
    const fs::path dir = BuildProgramFolder().parent_path() / "screenshots";
    fs::create_directories(dir);
    return dir;
}

void LinkProgramTables(const fs::path& home, std::initializer_list<const char*> subs) {
    fs::create_directories(home);
    for (const char* sub : subs) fs::create_directory_symlink(BuildProgramFolder() / sub, home / sub);
}

void CopyProgramTables(const fs::path& home, std::initializer_list<const char*> subs, bool everyoneReads) {
    fs::create_directories(home);
    for (const char* sub : subs) fs::copy(BuildProgramFolder() / sub, home / sub, fs::copy_options::recursive);
    if (!everyoneReads) return;
    for (const auto& e : fs::recursive_directory_iterator(home))
        fs::permissions(e.path(), fs::perms::others_read | (e.is_directory() ? fs::perms::others_exec : fs::perms::none),
                        fs::perm_options::add);
    fs::permissions(home, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
}

} // namespace vt::test
