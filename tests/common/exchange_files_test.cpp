#include "common/ExchangeFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

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
    EXPECT_FALSE(WriteMsgSysStatus(f, StatusReading, &err)); // never creates it
    EXPECT_FALSE(fs::exists(f));
    ASSERT_TRUE(WriteMsgSys(f, {StatusRequested, 7, 1}));
    ASSERT_TRUE(WriteMsgSysStatus(f, StatusCompleted));
    auto m = ReadMsgSys(f);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->status, StatusCompleted);
    EXPECT_EQ(m->port, 7);
    EXPECT_EQ(m->language, 1);
    uint8_t two[2] = {1, 2};
    ASSERT_TRUE(WriteFileReplace(f, two, 2));
    EXPECT_FALSE(ReadMsgSys(f, &err).has_value());
    EXPECT_EQ(err, "Error File Length!!");
    EXPECT_FALSE(ReadFileBytes(d / "absent", &err).has_value());
    EXPECT_NE(err.find("absent"), std::string::npos);
}

TEST(ExchangeFilesTest, FinalStatuses) {
    for (uint8_t s : {1, 2, 4}) EXPECT_FALSE(IsFinalStatus(s));
    for (uint8_t s : {0, 8, 0x10, 0x20, 0x40, 0x80, 3}) EXPECT_TRUE(IsFinalStatus(s));
}
