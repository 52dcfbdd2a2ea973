// Data files and exchange files: an image written reads back the same; only the bytes that are
// kept are read, and what is short or no regular file is refused, for root and for an ordinary
// user alike.
#include "common/ExchangeFiles.h"
#include "editor/codec/ImageFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace vt;
using vt::test::TempDir;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

constexpr uid_t kNobody = 65534;

// A fresh folder that every user may enter and read (the checks as nobody need that).
std::unique_ptr<TempDir> FreshDir(const std::string& name) {
    auto dir = std::make_unique<TempDir>("veltra-imagefile-" + name);
    dir->OpenToEveryone();
    return dir;
}

// An image whose bytes tell their offsets apart, followed by `extra` bytes of hole.
void WriteImageWithHole(const fs::path& p, uintmax_t extra) {
    {
        std::ofstream out(p, std::ios::binary);
        for (size_t k = 0; k < kImageSize; ++k)
            out.put(static_cast<char>((k * 7 + k / 256) & 0xFF));
    }
    if (extra) fs::resize_file(p, kImageSize + extra); // sparse: costs no disk
}

bool LooksLikeTheImage(const ImageArray& image) {
    for (size_t k = 0; k < kImageSize; ++k)
        if (image[k] != static_cast<uint8_t>((k * 7 + k / 256) & 0xFF)) return false;
    return true;
}

// Runs the check in a child process, so that a hang (alarm), an allocation failure or a change
// of user cannot touch the test runner. Returns the child's exit code, or 128 + signal.
int InChild(const std::function<int()>& check, unsigned seconds = 20) {
    pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(seconds);
        int code = 99;
        try {
            code = check();
        } catch (...) {
            code = 98;
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool BecomeNobody() {
    return ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 && ::geteuid() == kNobody;
}

} // namespace

TEST(ImageFileRead, AHugeFileCostsOnlyTheImage) {
    auto tmp = FreshDir("huge");
    const fs::path dir = tmp->Path();
    fs::path big = dir / "big.dat";
    WriteImageWithHole(big, 1ull << 30); // a 1 GiB data file
    auto head = ReadFileHead(big, 10);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->size(), 10u);
    if (kAddressSanitizer) {
        // The address-space limit below does not work with the sanitizer's shadow memory.
        ImageArray image{};
        ImageReadError error;
        ASSERT_TRUE(ReadImageFile(big, image, &error)) << std::strerror(error.sysError);
        EXPECT_TRUE(LooksLikeTheImage(image));
        return;
    }
    // With its address space limited to what it has plus 192 MiB, a reader that took the whole
    // file would fail; one that reads the image only does not notice.
    int code = InChild([&] {
        std::ifstream statm("/proc/self/statm");
        unsigned long pages = 0;
        statm >> pages;
        rlim_t have = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
        rlimit lim{have + (192u << 20), have + (192u << 20)};
        if (::setrlimit(RLIMIT_AS, &lim) != 0) return 10;
        ImageArray img{};
        if (!ReadImageFile(big, img)) return 11;
        return LooksLikeTheImage(img) ? 0 : 12;
    });
    EXPECT_EQ(code, 0);
}

TEST(ImageFileRead, WhatIsNoRegularFileIsRefusedAndLeavesTheImage) {
    auto tmp = FreshDir("kinds");
    const fs::path dir = tmp->Path();
    ImageArray image{};
    image.fill(0x5A);
    ImageReadError error;
    EXPECT_FALSE(ReadImageFile(dir, image, &error));
    EXPECT_EQ(error.sysError, EISDIR);
    EXPECT_EQ(image[0], 0x5A);
    EXPECT_EQ(image[kImageSize - 1], 0x5A);

    // A FIFO would block the open and then the read for ever.
    fs::path fifo = dir / "pipe.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(InChild(
                  [&] {
                      ImageArray img{};
                      return ReadImageFile(fifo, img) ? 1 : 0;
                  },
                  5),
              0);
    // A device that never ends.
    EXPECT_EQ(InChild(
                  [&] {
                      ImageArray img{};
                      img.fill(0x5A);
                      return ReadImageFile("/dev/zero", img) || ReadFileHead("/dev/zero", 100) ||
                                     img[0] != 0x5A
                                 ? 1
                                 : 0;
                  },
                  5),
              0);

    // rbuffer.bin holds 16,000 bytes; one byte fewer is refused.
    fs::path rb = dir / "rbuffer.bin";
    WriteImageWithHole(rb, 0);
    fs::resize_file(rb, kRadioImageSize);
    EXPECT_TRUE(ReadImageFile(rb, image));
    EXPECT_EQ(image[kImageSize - 1], 0); // the byte the file lacks
    fs::resize_file(rb, kRadioImageSize - 1);
    image.fill(0x5A);
    EXPECT_FALSE(ReadImageFile(rb, image, &error));
    EXPECT_EQ(image[0], 0x5A);
}

// The editor usually runs as an ordinary user: a file that user may not read is an open failure,
// and the rest behaves as for root.
TEST(ImageFileRead, AnOrdinaryUserGetsTheSameAnswers) {
    if (::geteuid() != 0) GTEST_SKIP() << "runs as an ordinary user already; the other tests cover it";
    auto tmp = FreshDir("nobody");
    const fs::path dir = tmp->Path();
    fs::path mine = dir / "mine.dat", theirs = dir / "theirs.dat", big = dir / "big.dat";
    WriteImageWithHole(mine, 0);
    WriteImageWithHole(theirs, 0);
    WriteImageWithHole(big, 300u << 20);
    fs::permissions(mine, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    fs::permissions(big, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    fs::permissions(theirs, fs::perms::owner_read | fs::perms::owner_write);
    int code = InChild([&] {
        if (!BecomeNobody()) return 20;
        ImageArray img{};
        ImageReadError why;
        if (!ReadImageFile(mine, img) || !LooksLikeTheImage(img)) return 21;
        if (!ReadImageFile(big, img) || !LooksLikeTheImage(img)) return 22;
        img.fill(0x5A);
        if (ReadImageFile(theirs, img, &why) || why.sysError != EACCES) return 23;
        if (img[0] != 0x5A) return 24;
        if (ReadImageFile(dir, img)) return 25;
        return 0;
    });
    EXPECT_EQ(code, 0);
}

namespace {

class ImageFiles : public ::testing::Test {
protected:
    TempDir tmp{"veltra-codec"};
    const std::filesystem::path dir = tmp.Path();
    void WriteBytes(const std::filesystem::path& p, size_t n, uint8_t v) {
        std::vector<uint8_t> bytes(n, v);
        ASSERT_TRUE(WriteFileReplace(p, bytes.data(), bytes.size()));
    }
};

TEST_F(ImageFiles, WriteThenReadGivesTheSameImage) {
    ImageArray img;
    for (size_t k = 0; k < img.size(); ++k) img[k] = static_cast<uint8_t>(k * 31);
    auto p = dir / "a.dat";
    WriteBytes(p, 20000, 0xEE); // a longer file is overwritten from the start, not shortened
    ASSERT_TRUE(WriteImageFile(p, img));
    EXPECT_EQ(std::filesystem::file_size(p), 20000u);
    ImageArray back{};
    ASSERT_TRUE(ReadImageFile(p, back));
    EXPECT_EQ(back, img);
}

TEST_F(ImageFiles, ShortFilesAreRefusedAndARadioBufferLacksOnlyTheLastByte) {
    auto p = dir / "short.bin";
    ImageArray img;
    img.fill(0x11);
    for (size_t n : {size_t{0}, size_t{1}, size_t{15999}}) {
        WriteBytes(p, n, 0x22);
        ImageReadError error;
        EXPECT_FALSE(ReadImageFile(p, img, &error)) << n;
        EXPECT_EQ(error.sysError, 0);
        EXPECT_EQ(error.size, n);
        EXPECT_EQ(img[0], 0x11); // untouched
    }
    WriteBytes(p, 16000, 0x33);
    ASSERT_TRUE(ReadImageFile(p, img));
    EXPECT_EQ(img[15999], 0x33);
    EXPECT_EQ(img[16000], 0); // not the previous image's byte
    EXPECT_FALSE(ReadImageFile(dir / "missing.dat", img));
}

} // namespace

namespace {

// Save and the transfer hand-off replace a file whole or not at all: through a new file renamed
// over the old one, never by writing into the old file's bytes.
TEST(ImageFileSave, TheOldFileStaysWholeUntilTheNewOneIsComplete) {
    auto tmp = FreshDir("save");
    const fs::path dir = tmp->Path();
    ImageArray image;
    for (size_t k = 0; k < image.size(); ++k) image[k] = static_cast<uint8_t>(k * 13 + 1);
    const std::vector<uint8_t> old(20000, 0x5A);
    auto bytes = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    };
    auto put = [&](const fs::path& p) { ASSERT_TRUE(WriteFileReplace(p, old.data(), old.size())); };
    auto only = [&](const fs::path& p) {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(p.parent_path())) ++n;
        return n;
    };
    const std::vector<uint8_t> saved(image.begin(), image.end());
    std::vector<uint8_t> handedOver = old;
    std::copy(image.begin(), image.end(), handedOver.begin());
    struct Writer {
        const char* what;
        std::function<bool(const fs::path&)> write;
        const std::vector<uint8_t>& result;
    } writers[] = {
        {"save", [&](const fs::path& p) { ReplaceError why; return SaveImageFile(p, image, &why); }, saved},
        {"hand-off", [&](const fs::path& p) { return WriteImageFile(p, image); }, handedOver},
    };
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.what);
        const fs::path sub = dir / w.what;
        fs::create_directory(sub);
        fs::permissions(sub, fs::perms::all);
        const fs::path p = sub / "a.dat";

        // A write that fails half way (here the file size limit, as a full disk would).
        put(p);
        EXPECT_EQ(InChild([&] {
                      std::signal(SIGXFSZ, SIG_IGN);
                      rlimit lim{4096, 4096};
                      if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) return 10;
                      return w.write(p) ? 11 : 0;
                  }),
                  0);
        EXPECT_EQ(bytes(p), old);
        EXPECT_EQ(only(p), 1u); // no temporary file left beside it

        // A second name of the same file (a hard link) keeps what it held.
        const fs::path other = sub / "copy.dat";
        fs::create_hard_link(p, other);
        ASSERT_TRUE(fs::exists(other));
        fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        ASSERT_TRUE(w.write(p));
        EXPECT_EQ(bytes(p), w.result);
        EXPECT_EQ(bytes(other), old);
        EXPECT_EQ(fs::status(p).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

        // A FIFO in the file's place is replaced, and its reader gets nothing.
        fs::remove(p);
        ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0);
        int reader = ::open(p.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        EXPECT_EQ(InChild([&] { return w.write(p) ? 0 : 1; }, 5), 0);
        char got[16];
        EXPECT_LE(::read(reader, got, sizeof got), 0);
        ::close(reader);
        ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(p))); // a FIFO would block the read below
        EXPECT_EQ(bytes(p), saved);

        // A symbolic link stays one; the file it names is replaced.
        const fs::path named = sub / "named.dat", link = sub / "link.dat";
        put(named);
        fs::create_symlink("named.dat", link);
        ASSERT_TRUE(w.write(link));
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(bytes(named), w.result);
    }
}

} // namespace
