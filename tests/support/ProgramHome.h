#pragma once
// A program folder of its own for one test: a fresh temporary folder that VELTRA_HOME points at
// while the object lives (the value before comes back afterwards), so the exchange files, tables
// and ports of one test never meet another's.
#include "tests/support/TempDir.h"

#include <optional>
#include <string>

namespace vt::test {

// Sets an environment variable for the lifetime of the object and restores the value before.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

class ProgramHome : public TempDir {
public:
    explicit ProgramHome(std::string_view prefix = "veltra-home");

private:
    ScopedEnv home_;
};

} // namespace vt::test
