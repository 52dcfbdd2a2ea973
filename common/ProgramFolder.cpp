#include "common/ProgramFolder.h"

#include "common/TextUtil.h"

#include <cstdlib>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace vt {

fs::path ProgramFolder() {
    if (const char* home = std::getenv("VELTRA_HOME"); home && *home) return fs::path(home);
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec);
    return exe.parent_path();
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

} // namespace vt
