#include "common/ExchangeFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace vt;
using vt::test::TempDir;

TEST(ExchangeFilesTest, RewriteShorterKeepsTheOldTail) {
    TempDir tmp("veltra-common-tail");
    const fs::path d = tmp.Path();
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
    TempDir tmp("veltra-common-msg");
    const fs::path d = tmp.Path();
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
    TempDir tmp("veltra-common-poll");
    fs::path f = tmp.Path() / kMsgSysName;
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

// A FIFO in an exchange file's place (no writer, or no reader) fails every operation at once:
// the tool must reach its window, and the editor its poll, instead of waiting in an open.
TEST(ExchangeFilesTest, FifoInPlaceOfAnExchangeFileFailsAtOnce) {
    TempDir tmp("veltra-common-fifo");
    const fs::path fifo = tmp.Path() / kMsgSysName;
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    MsgSys m{StatusRequested, 9, 1};
    ToolImage image{};
    ExchangeResult start;
    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"tool start", [&] { return bool(start = ReadMsgSys(fifo, m)); }},
        {"editor poll", [&] { return bool(ReadMsgSys(fifo, m, 1)); }},
        {"editor request", [&] { return WriteMsgSys(fifo, {StatusRequested, 3, 0}); }},
        {"status write", [&] { return bool(WriteMsgSysStatus(fifo, StatusCompleted, 1)); }},
        {"write buffer", [&] { return bool(LoadWriteBuffer(fifo, image)); }},
        {"file head", [&] { return ReadFileHead(fifo, 16).has_value(); }},
    };
    for (const auto& [name, op] : cases) {
        auto result = std::async(std::launch::async, op);
        int otherEnd = -1;
        if (result.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            // Release the blocked open from the other side (kept open until the operation is
            // over, so that a write gets no SIGPIPE), so the test ends.
            otherEnd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
            ADD_FAILURE() << name << ": waited on the FIFO";
        }
        EXPECT_FALSE(result.get()) << name;
        if (otherEnd >= 0) ::close(otherEnd);
    }
    EXPECT_EQ(m.status, StatusRequested) << "nothing read, nothing changed";
    EXPECT_EQ(start.failure, ExchangeFailure::Open) << "shown like a file that cannot be opened";
    EXPECT_EQ(start.sysError, EINVAL);
}

TEST(ExchangeFilesTest, FinalStatuses) {
    for (uint8_t s : {1, 2, 4}) EXPECT_FALSE(IsFinalStatus(s));
    for (uint8_t s : {0, 8, 0x10, 0x20, 0x40, 0x80, 3}) EXPECT_TRUE(IsFinalStatus(s));
}
