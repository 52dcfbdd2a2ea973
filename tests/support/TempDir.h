#pragma once
// A folder of its own for one test: a fresh, uniquely named folder under the system's temporary
// folder (mkdtemp, so two checkouts or two runs never share one), removed with everything in it
// when the object goes.
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vt::test {

class TempDir {
public:
    // The folder's name is the prefix and six random characters; a blank in the prefix gives a
    // path with a blank, as a user's folders often have.
    explicit TempDir(std::string_view prefix = "veltra-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // A path below the folder (relative name with '/'); nothing is created.
    std::filesystem::path File(std::string_view relative) const;
    // Writes a file below the folder, creating the folders on its way.
    void Write(std::string_view relative, const std::vector<uint8_t>& bytes) const;
    // The whole file, or nothing when it cannot be read.
    std::vector<uint8_t> Read(std::string_view relative) const;
    // Lets every user enter the folder and read it, as a user's home folder usually does (tests
    // that run a step as an unprivileged user).
    void OpenToEveryone() const;

private:
    std::filesystem::path path_;
};

// The build's program folder (Language/, resource/, Data/ beside the executables).
std::filesystem::path BuildProgramFolder();
// build/screenshots, created when needed: the pictures window tests leave for a person to look at.
std::filesystem::path ScreenshotFolder();
// Links `home`/<sub> to each of the build's program sub-folders.
void LinkProgramTables(const std::filesystem::path& home, std::initializer_list<const char*> subs);
// Copies the build's program sub-folders into `home`, so that a test may change them; with
// everyoneReads every user may read the copies.
void CopyProgramTables(const std::filesystem::path& home, std::initializer_list<const char*> subs,
                       bool everyoneReads = false);

} // namespace vt::test
