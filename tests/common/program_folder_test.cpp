#include "common/ProgramFolder.h"
#include "tests/support/ProgramHome.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using namespace vt;
using vt::test::ScopedEnv;
using vt::test::TempDir;

namespace {
void Touch(const fs::path& p) { std::ofstream(p) << "x"; }
} // namespace

TEST(PathLookup, ExactNameWinsOverOtherCase) {
    TempDir tmp("veltra-common-exact");
    const fs::path d = tmp.Path();
    fs::create_directories(d / "resource");
    fs::create_directories(d / "Resource");
    Touch(d / "resource" / "enc.Tbl");
    Touch(d / "Resource" / "RX_VOL0.tbl");
    EXPECT_EQ(ResolvePath(d, "\\resource\\enc.Tbl"), d / "resource" / "enc.Tbl");
    EXPECT_EQ(ResolvePath(d, "\\Resource\\RX_VOL0.tbl"), d / "Resource" / "RX_VOL0.tbl");
}

TEST(PathLookup, CaseInsensitiveWithTwoCandidatesIsDeterministic) {
    TempDir tmp("veltra-common-twocand");
    const fs::path d = tmp.Path();
    fs::create_directories(d / "RESOURCE");
    fs::create_directories(d / "Resource");
    Touch(d / "RESOURCE" / "x.tbl");
    Touch(d / "Resource" / "x.tbl");
    // "resource" matches both; the first in name order is taken, every time.
    EXPECT_EQ(ResolvePath(d, "resource/X.TBL"), d / "RESOURCE" / "x.tbl");
}

TEST(PathLookup, MissingComponentsAreKeptAsWritten) {
    TempDir tmp("veltra-common-missing");
    const fs::path d = tmp.Path();
    fs::create_directories(d / "Data");
    EXPECT_EQ(ResolvePath(d, "data/new.dat"), d / "Data" / "new.dat");
    EXPECT_EQ(ResolvePath(d, "nothere/Sub/file"), d / "nothere" / "Sub" / "file");
    EXPECT_EQ(ResolvePath(d, "//a\\\\b"), d / "a" / "b");
}

TEST(ProgramFolderTest, WritableFolderFromTheEnvironment) {
    // VELTRA_HOME, XDG_DATA_HOME, HOME -> the folder both programs write in.
    struct Case {
        const char *veltraHome, *xdgDataHome, *home, *expected;
    } cases[] = {
        {"/tmp/somewhere", "/x", "/h", "/tmp/somewhere"},
        {nullptr, "/x/data", "/h", "/x/data/veltra-user"},
        {nullptr, "", "/h", "/h/.local/share/veltra-user"},
        {nullptr, "relative/data", "/h", "/h/.local/share/veltra-user"}, // invalid by the XDG rule
        {nullptr, nullptr, "/home/tech", "/home/tech/.local/share/veltra-user"},
    };
    ScopedEnv keepVeltra("VELTRA_HOME", ""), keepXdg("XDG_DATA_HOME", ""), keepHome("HOME", "");
    for (const Case& c : cases) {
        for (auto [name, value] : {std::pair{"VELTRA_HOME", c.veltraHome}, {"XDG_DATA_HOME", c.xdgDataHome},
                                   {"HOME", c.home}})
            value ? ::setenv(name, value, 1) : ::unsetenv(name);
        EXPECT_EQ(ProgramFolder(), fs::path(c.expected)) << c.expected;
    }
}

TEST(ProgramFolderTest, EarlierFolderKeptUntilTheUsersOwnExists) {
    // share/veltra: where earlier versions wrote, and where an install into ~/.local puts the
    // shipped files. Folders made in XDG_DATA_HOME -> the folder the programs use.
    struct Case {
        std::vector<const char*> made;
        const char* expected;
    } cases[] = {
        {{}, "veltra-user"},
        {{"veltra/Language", "veltra/resource"}, "veltra-user"}, // shipped files only
        {{"veltra/Data", "veltra/Resource"}, "veltra"},           // a technician's files
        {{"veltra/Data", "veltra-user"}, "veltra-user"},
    };
    for (const Case& c : cases) {
        TempDir tmp("veltra-common-earlier");
        ScopedEnv keepVeltra("VELTRA_HOME", ""), xdg("XDG_DATA_HOME", tmp.Path().string());
        ::unsetenv("VELTRA_HOME");
        for (const char* d : c.made) fs::create_directories(tmp.Path() / d);
        EXPECT_EQ(ProgramFolder(), tmp.Path() / c.expected) << c.expected << " after " << c.made.size();
    }
}

TEST(ProgramFolderTest, ShippedFilesAndToolFoundFromTheExecutable) {
    // An install (bin/ beside share/veltra and libexec/veltra) and the build's app/ folder.
    TempDir tmp("veltra-common-layout");
    const fs::path prefix = tmp.Path() / "prefix", app = tmp.Path() / "build" / "app";
    for (const fs::path& d : {prefix / "bin", prefix / "share" / "veltra" / "resource", prefix / "libexec" / "veltra",
                              app / "resource"})
        fs::create_directories(d);
    Touch(prefix / "libexec" / "veltra" / "transmit");
    Touch(prefix / "bin" / "transmit"); // some other program of that name
    Touch(app / "transmit");
    EXPECT_EQ(ShippedFolderOf(prefix / "bin"), prefix / "share" / "veltra");
    EXPECT_EQ(ToolProgramOf(prefix / "bin"), prefix / "libexec" / "veltra" / "transmit");
    EXPECT_EQ(ShippedFolderOf(app), app);
    EXPECT_EQ(ToolProgramOf(app), app / "transmit");
    // No environment variable moves the tool.
    ScopedEnv home("VELTRA_HOME", app.string());
    EXPECT_EQ(ToolProgramOf(prefix / "bin"), prefix / "libexec" / "veltra" / "transmit");
}

TEST(ProgramFolderTest, SavedFileTakesThePlaceOfTheShippedOne) {
    // The test executable's shipped folder is its own (build/bin/, no tables): a name read falls
    // back to it only when the program folder has no copy.
    TempDir tmp("veltra-common-overlay");
    ScopedEnv home("VELTRA_HOME", tmp.Path().string());
    EXPECT_EQ(LookupPath("\\Resource\\RX_VOL0.tbl"), ExecutableFolder() / "Resource" / "RX_VOL0.tbl");
    fs::create_directories(tmp.Path() / "resource");
    Touch(tmp.Path() / "resource" / "RX_VOL0.tbl");
    EXPECT_EQ(LookupPath("\\Resource\\RX_VOL0.tbl"), tmp.Path() / "resource" / "RX_VOL0.tbl");
    EXPECT_EQ(ProgramPath("Data"), tmp.Path() / "Data");
    ASSERT_TRUE(PrepareProgramFolder());
    EXPECT_TRUE(fs::is_directory(tmp.Path() / "Data"));
}
