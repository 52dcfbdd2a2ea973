// The shared folders of the tests: what one test makes never meets another's and is gone
// afterwards, whatever the test did to it.
#include "tests/support/ProgramHome.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace vt::test {
namespace {

TEST(TempDir, EachIsNewAndGoesWithEverythingInIt) {
    fs::path first, second;
    {
        TempDir a("veltra support"), b("veltra support");
        first = a.Path();
        second = b.Path();
        EXPECT_NE(first, second);
        EXPECT_EQ(first.parent_path(), fs::temp_directory_path());
        EXPECT_NE(first.filename().string().find("veltra support-"), std::string::npos);
        a.Write("deep/er/file.bin", {1, 2, 3});
        EXPECT_EQ(a.Read("deep/er/file.bin"), (std::vector<uint8_t>{1, 2, 3}));
        EXPECT_TRUE(a.Read("missing").empty());
        // A test may close a folder to its owner (a refused write); it still goes.
        fs::permissions(a.File("deep"), fs::perms::owner_read | fs::perms::owner_exec);
        fs::permissions(a.File("deep/er"), fs::perms::none);
        fs::create_directory_symlink(b.Path(), a.File("to-b"));
    }
    EXPECT_FALSE(fs::exists(first));
    EXPECT_FALSE(fs::exists(second));
}

TEST(TempDir, LinkOfItsOwnDoesNotTakeTheTargetAlong) {
    TempDir target;
    target.Write("kept", {7});
    {
        TempDir holder;
        fs::create_directory_symlink(target.Path(), holder.File("link"));
    }
    EXPECT_EQ(target.Read("kept"), std::vector<uint8_t>{7});
}

TEST(ProgramHome, PointsTheProgramsThereAndGivesTheOldValueBack) {
    const char* before = std::getenv("VELTRA_HOME");
    const std::optional<std::string> old = before ? std::optional<std::string>(before) : std::nullopt;
    ::setenv("VELTRA_HOME", "/nowhere/else", 1);
    {
        ProgramHome home;
        EXPECT_EQ(fs::path(std::getenv("VELTRA_HOME")), home.Path());
        {
            ScopedEnv inner("VELTRA_HOME", "/inner");
            EXPECT_STREQ(std::getenv("VELTRA_HOME"), "/inner");
        }
        EXPECT_EQ(fs::path(std::getenv("VELTRA_HOME")), home.Path());
    }
    EXPECT_STREQ(std::getenv("VELTRA_HOME"), "/nowhere/else");
    ::unsetenv("VELTRA_HOME");
    { ProgramHome home; }
    EXPECT_EQ(std::getenv("VELTRA_HOME"), nullptr);
    if (old) ::setenv("VELTRA_HOME", old->c_str(), 1);
}

TEST(ProgramHome, TablesLinkedOrCopiedFromTheBuild) {
    ProgramHome home;
    LinkProgramTables(home.Path(), {"Language"});
    CopyProgramTables(home.Path(), {"resource"}, true);
    EXPECT_TRUE(fs::is_symlink(home.File("Language")));
    EXPECT_TRUE(fs::is_directory(home.File("resource")) && !fs::is_symlink(home.File("resource")));
    for (const auto& e : fs::directory_iterator(home.File("resource")))
        EXPECT_NE(fs::status(e.path()).permissions() & fs::perms::others_read, fs::perms::none) << e.path();
}

} // namespace
} // namespace vt::test
