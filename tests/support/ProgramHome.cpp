#include "tests/support/ProgramHome.h"

#include <cstdlib>

namespace vt::test {

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* v = std::getenv(name)) old_ = v;
    ::setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (old_) ::setenv(name_.c_str(), old_->c_str(), 1);
    else ::unsetenv(name_.c_str());
}

ProgramHome::ProgramHome(std::string_view prefix) : TempDir(prefix), home_("VELTRA_HOME", Path().string()) {}

} // namespace vt::test
