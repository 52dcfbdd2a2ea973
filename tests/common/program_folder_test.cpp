#include "common/ProgramFolder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;
using namespace vt;
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

TEST(ProgramFolderTest, EnvironmentOverrides) {
    const char* old = std::getenv("VELTRA_HOME");
    std::string saved = old ? old : "";
    ::setenv("VELTRA_HOME", "/tmp/somewhere", 1);
    EXPECT_EQ(ProgramFolder(), fs::path("/tmp/somewhere"));
    ::unsetenv("VELTRA_HOME");
    EXPECT_FALSE(ProgramFolder().empty());
    if (old) ::setenv("VELTRA_HOME", saved.c_str(), 1);
}
