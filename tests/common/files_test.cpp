#include "common/Cp1252.h"
#include "common/ExchangeFiles.h"
#include "common/ProgramFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;
using namespace vt;

namespace {
fs::path FreshDir(const std::string& name) {
    fs::path p = fs::temp_directory_path() / ("veltra_common_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}
void Touch(const fs::path& p) { std::ofstream(p) << "x"; }
} // namespace

TEST(PathLookup, ExactNameWinsOverOtherCase) {
    fs::path d = FreshDir("exact");
    fs::create_directories(d / "resource");
    fs::create_directories(d / "Resource");
    Touch(d / "resource" / "enc.Tbl");
    Touch(d / "Resource" / "RX_VOL0.tbl");
    EXPECT_EQ(ResolvePath(d, "\\resource\\enc.Tbl"), d / "resource" / "enc.Tbl");
    EXPECT_EQ(ResolvePath(d, "\\Resource\\RX_VOL0.tbl"), d / "Resource" / "RX_VOL0.tbl");
}

TEST(PathLookup, CaseInsensitiveWithTwoCandidatesIsDeterministic) {
    fs::path d = FreshDir("twocand");
    fs::create_directories(d / "RESOURCE");
    fs::create_directories(d / "Resource");
    Touch(d / "RESOURCE" / "x.tbl");
    Touch(d / "Resource" / "x.tbl");
    // "resource" matches both; the first in name order is taken, every time.
    EXPECT_EQ(ResolvePath(d, "resource/X.TBL"), d / "RESOURCE" / "x.tbl");
}

TEST(PathLookup, MissingComponentsAreKeptAsWritten) {
    fs::path d = FreshDir("missing");
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

TEST(ExchangeFilesTest, RewriteShorterKeepsTheOldTail) {
    fs::path d = FreshDir("tail");
    fs::path f = d / "data.dat";
    std::vector<uint8_t> big(100, 0xAA), small(10, 0x11);
    ASSERT_TRUE(WriteFileNoTruncate(f, big.data(), big.size()));
    ASSERT_TRUE(WriteFileNoTruncate(f, small.data(), small.size()));
    auto back = ReadFileBytes(f);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 100u);
    EXPECT_EQ((*back)[9], 0x11);
    EXPECT_EQ((*back)[10], 0xAA);
    ASSERT_TRUE(WriteFileReplace(f, small.data(), small.size()));
    EXPECT_EQ(ReadFileBytes(f)->size(), 10u);
}

TEST(ExchangeFilesTest, MsgSysStatusChangesOnlyByteZeroOfAnExistingFile) {
    fs::path d = FreshDir("msg");
    fs::path f = d / kMsgSysName;
    std::string err;
    EXPECT_FALSE(WriteMsgSysStatus(f, StatusReading, kMsgSysSize)); // never creates it
    EXPECT_FALSE(fs::exists(f));
    ASSERT_TRUE(WriteMsgSys(f, {StatusRequested, 7, 1}));
    ASSERT_TRUE(WriteMsgSysStatus(f, StatusCompleted, 1));
    MsgSys m;
    ASSERT_TRUE(ReadMsgSys(f, m));
    EXPECT_EQ(m.status, StatusCompleted);
    EXPECT_EQ(m.port, 7);
    EXPECT_EQ(m.language, 1);
    uint8_t two[2] = {1, 2};
    ASSERT_TRUE(WriteFileReplace(f, two, 2));
    auto shortFile = ReadMsgSys(f, m);
    EXPECT_FALSE(shortFile);
    EXPECT_EQ(shortFile.failure, ExchangeFailure::Length);
    EXPECT_EQ(m.status, StatusCompleted) << "a refused file changes nothing";
    EXPECT_FALSE(ReadFileBytes(d / "absent", &err).has_value());
    EXPECT_NE(err.find("absent"), std::string::npos);
}

// The editor polls for the status alone: one byte is enough, and what the file lacks keeps its
// value. A file the poll cannot read is a failure, never status 0.
TEST(ExchangeFilesTest, StatusPollReadsWhatTheFileHolds) {
    fs::path d = FreshDir("poll");
    fs::path f = d / kMsgSysName;
    MsgSys m{StatusRequested, 9, 1};
    auto missing = ReadMsgSys(f, m, 1);
    EXPECT_EQ(missing.failure, ExchangeFailure::Open);
    EXPECT_EQ(missing.sysError, ENOENT);
    uint8_t none = 0;
    ASSERT_TRUE(WriteFileReplace(f, &none, 0));
    EXPECT_EQ(ReadMsgSys(f, m, 1).failure, ExchangeFailure::Length);
    EXPECT_EQ(m.status, StatusRequested);
    uint8_t one = StatusNoRadio;
    ASSERT_TRUE(WriteFileReplace(f, &one, 1));
    ASSERT_TRUE(ReadMsgSys(f, m, 1));
    EXPECT_EQ(m.status, StatusNoRadio);
    EXPECT_EQ(m.port, 9);
    EXPECT_EQ(m.language, 1);
    EXPECT_FALSE(ReadMsgSys(f, m)) << "the tool still needs all three bytes";
    std::vector<uint8_t> longer(600, 0x55);
    longer[0] = StatusCompleted;
    longer[1] = 3;
    longer[2] = 0;
    ASSERT_TRUE(WriteFileReplace(f, longer.data(), longer.size()));
    ASSERT_TRUE(ReadMsgSys(f, m, 1));
    EXPECT_EQ(m.status, StatusCompleted);
    EXPECT_EQ(m.port, 3);
    EXPECT_EQ(m.language, 0);
    fs::remove(f);
    fs::create_directory(f);
    EXPECT_FALSE(ReadMsgSys(f, m, 1)) << "a folder in its place is no status";
}

TEST(ExchangeFilesTest, FinalStatuses) {
    for (uint8_t s : {1, 2, 4}) EXPECT_FALSE(IsFinalStatus(s));
    for (uint8_t s : {0, 8, 0x10, 0x20, 0x40, 0x80, 3}) EXPECT_TRUE(IsFinalStatus(s));
}

TEST(Cp1252Test, RoundTripsEveryDefinedByte) {
    for (int b = 0; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        auto back = Utf8ToCp1252(Cp1252ToUtf8(one));
        ASSERT_TRUE(back) << b;
        EXPECT_EQ(*back, one) << b;
    }
}

TEST(Cp1252Test, RefusesCharactersWithoutAByte) {
    char32_t bad = 0;
    EXPECT_EQ(*Utf8ToCp1252("Caf\xC3\xA9 \xE2\x82\xAC"), "Caf\xE9 \x80");
    EXPECT_FALSE(Utf8ToCp1252("\xE4\xB8\xAD", &bad).has_value()); // a CJK character
    EXPECT_EQ(bad, 0x4E2Du);
    EXPECT_FALSE(Utf8ToCp1252("\xC3").has_value()); // truncated sequence
    EXPECT_FALSE(FitsCp1252("\xF0\x9F\x98\x80"));
    EXPECT_EQ(Utf8Length("a\xC3\xA9\xE2\x82\xAC"), 3u);
}

// Overlong forms would turn into bytes that no check on the text saw: NUL and the record
// separator "|" among them.
TEST(Cp1252Test, RefusesOverlongAndInvalidForms) {
    for (const char* malformed :
         {"\xC0\x80", "\xC1\xBC", "\xE0\x81\xBC", "\xF0\x80\x81\xBC", "\xE0\x80\x80", "\xF0\x80\x80\x80",
          "\xED\xA0\x80" /* surrogate */, "\xF4\x90\x80\x80" /* > U+10FFFF */}) {
        char32_t bad = 0;
        EXPECT_FALSE(Utf8ToCp1252(std::string("A") + malformed + "B", &bad).has_value()) << malformed;
        EXPECT_EQ(bad, 0xFFFDu) << malformed;
    }
    // The shortest forms next to the overlong ones stay accepted.
    EXPECT_EQ(*Utf8ToCp1252("\xC2\x81\xC2\xBC"), "\x81\xBC");
    EXPECT_EQ(*Utf8ToCp1252("|\xC2\xA0\xE2\x82\xAC"), "|\xA0\x80");
    EXPECT_EQ(Utf8Length("\xC0\x80"), 2u); // each byte of a malformed form counts on its own
}

TEST(Cp1252Test, NamesRefuseControlCharacters) {
    EXPECT_FALSE(NameRefusal("Base 1 \xC3\xA9\xE2\x82\xAC").has_value());
    EXPECT_FALSE(NameRefusal("").has_value());
    EXPECT_EQ(NameRefusal(std::string("A\0B", 3)), char32_t{0});
    EXPECT_EQ(NameRefusal("A\tB"), char32_t{9});
    EXPECT_EQ(NameRefusal("\x1F"), char32_t{0x1F});
    EXPECT_FALSE(NameRefusal(" ~").has_value()); // 0x20 and 0x7E are the printable edges
    EXPECT_EQ(NameRefusal("C\x7FH"), char32_t{0x7F}); // DEL: the radio shows nothing for it
    EXPECT_EQ(CharForMessage(0x7F), "U+007F");
    EXPECT_EQ(NameRefusal("\xE4\xB8\xAD"), char32_t{0x4E2D}); // no byte at all comes first
    EXPECT_EQ(NameRefusal("\xC0\x80"), char32_t{0xFFFD});
    EXPECT_EQ(CharForMessage(0), "U+0000");
    EXPECT_EQ(CharForMessage(0x1B), "U+001B");
    EXPECT_EQ(CharForMessage(0x4E2D), "\xE4\xB8\xAD");
    EXPECT_EQ(CharForMessage(0x1F600), "\xF0\x9F\x98\x80");
}
