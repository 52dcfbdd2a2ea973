#include "common/ProgramFolder.h"

#include "common/TextUtil.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace vt {

fs::path ExecutableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec);
    return exe.parent_path();
}

namespace {
// An install keeps the shipped files in share/veltra beside bin/; the build tree keeps them
// beside the executable.
bool IsInstalled(const fs::path& exeFolder) {
    std::error_code ec;
    return fs::is_directory(exeFolder / VELTRA_SHARE_FROM_BIN, ec);
}
} // namespace

fs::path ShippedFolderOf(const fs::path& exeFolder) {
    return IsInstalled(exeFolder) ? (exeFolder / VELTRA_SHARE_FROM_BIN).lexically_normal() : exeFolder;
}

fs::path ShippedFolder() { return ShippedFolderOf(ExecutableFolder()); }

// An installed editor never starts a `transmit` from its bin/: in an install that is whatever
// other program of that name lies there.
fs::path ToolProgramOf(const fs::path& exeFolder) {
    if (IsInstalled(exeFolder)) return (exeFolder / VELTRA_LIBEXEC_FROM_BIN / "transmit").lexically_normal();
    return exeFolder / "transmit";
}

fs::path ToolProgram() { return ToolProgramOf(ExecutableFolder()); }

namespace {
fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home == '/') return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir == '/') return pw->pw_dir;
    return {};
}
} // namespace

fs::path ProgramFolder() {
    if (const char* home = std::getenv("VELTRA_HOME"); home && *home) return fs::path(home);
    fs::path base;
    // The XDG rule: a relative XDG_DATA_HOME is invalid and ignored.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
        base = data;
    } else {
        const fs::path home = HomeFolder();
        if (home.empty()) return ExecutableFolder(); // no home at all: the old single folder
        base = home / ".local" / "share";
    }
    // Not base/veltra, where an install into ~/.local puts the shipped files. Earlier versions
    // wrote there: a folder they made (it holds Data/) stays in use while the user's own folder
    // does not exist, so no technician's file is left behind where the editor no longer looks.
    const fs::path own = base / "veltra-user", earlier = base / "veltra";
    std::error_code ec;
    if (!fs::exists(own, ec) && fs::is_directory(earlier / "Data", ec)) return earlier;
    return own;
}

bool PrepareProgramFolder(std::string* error) {
    const fs::path data = ProgramFolder() / "Data";
    std::error_code ec;
    fs::create_directories(data, ec);
    if (!ec) return true;
    if (error) *error = data.string() + ": " + ec.message();
    return false;
}

namespace {
std::vector<std::string> Components(std::string_view relative) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : relative) {
        if (c == '/' || c == '\\') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}
} // namespace

fs::path ResolvePath(const fs::path& base, std::string_view relative) {
    fs::path cur = base;
    bool found = true; // once a component is missing, the rest cannot exist either
    for (const std::string& part : Components(relative)) {
        std::error_code ec;
        if (found && !fs::exists(cur / part, ec)) {
            std::string best;
            for (const auto& entry : fs::directory_iterator(cur, ec)) {
                std::string name = entry.path().filename().string();
                if (EqualsNoCase(name, part) && (best.empty() || name < best)) best = name;
            }
            if (!best.empty()) {
                cur /= best;
                continue;
            }
            found = false;
        }
        cur /= part;
    }
    return cur;
}

fs::path ProgramPath(std::string_view relative) { return ResolvePath(ProgramFolder(), relative); }

fs::path LookupPath(std::string_view relative) {
    fs::path own = ProgramPath(relative);
    std::error_code ec;
    if (fs::exists(own, ec)) return own;
    return ResolvePath(ShippedFolder(), relative);
}

} // namespace vt
