// The transfer logic as units: handshake collection, read reception, echo matching, the
// one-second supervision, the command line, the texts and the tool's file operations.
#include "common/ExchangeFiles.h"
#include "tests/transmit/helpers/ToolFolder.h"
#include "transmit/core/EchoMatch.h"
#include "transmit/core/HandshakeReply.h"
#include "transmit/core/ReadReception.h"
#include "transmit/core/Supervisor.h"
#include "transmit/core/TransmitCommandLine.h"
#include "transmit/core/TransmitTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace vt;

TEST(Handshake, NeedsA83WithAByteAfterItAndNeverCollectsA0) {
    HandshakeReply r;
    const uint8_t lone[] = {0x83};
    r.Add(lone, 1);
    EXPECT_FALSE(r.IsHandshakeReply()) << "0x83 alone is not yet a reply";
    const uint8_t a0[] = {0xA0, 0xA0};
    r.Add(a0, 2);
    EXPECT_FALSE(r.IsHandshakeReply()) << "0xA0 is never collected";
    EXPECT_EQ(r.Bytes().size(), 1u);
    const uint8_t later[] = {0x00};
    r.Add(later, 1);
    EXPECT_TRUE(r.IsHandshakeReply()) << "any byte after 0x83, in a later notification";
    r.Clear();
    const uint8_t noise[] = {0x11, 0x22, 0x83};
    r.Add(noise, 3);
    EXPECT_FALSE(r.IsHandshakeReply());
    const uint8_t follow[] = {0x83};
    r.Add(follow, 1);
    EXPECT_TRUE(r.IsHandshakeReply()) << "0x83 0x83: the first has a byte after it";
}

TEST(ReadReception, StoresSixteenThousandBytesAfterTheMarkerAndEndsTwoBytesLater) {
    ToolImage image{};
    ReadReception rx(image);
    for (uint8_t b : {0x83, 0x05, 0x11, 0x21}) EXPECT_FALSE(rx.Feed(b)); // before the marker: dropped
    EXPECT_EQ(rx.ReadCount(), 0);
    EXPECT_FALSE(rx.Feed(0xEB));
    EXPECT_TRUE(rx.DataStarted());
    for (int i = 0; i < 16000; ++i) EXPECT_FALSE(rx.Feed(static_cast<uint8_t>(i == 5 ? 0xEB : i * 7)));
    EXPECT_EQ(rx.ReadCount(), 16000);
    EXPECT_FALSE(rx.Feed(0x99)) << "the first byte after the data is counted, not stored";
    EXPECT_EQ(rx.ReadCount(), 16001);
    EXPECT_TRUE(rx.Feed(0x98)) << "the second one completes the read";
    EXPECT_EQ(rx.ReadCount(), 16001);
    EXPECT_EQ(image[0], 0);
    EXPECT_EQ(image[5], 0xEB) << "a later 0xEB is data";
    EXPECT_EQ(image[15999], static_cast<uint8_t>(15999 * 7));
}

TEST(ReadReception, ExactlySixteenThousandBytesDoNotComplete) {
    ToolImage image{};
    ReadReception rx(image);
    rx.Feed(0xEB);
    bool done = false;
    for (int i = 0; i < 16000; ++i) done |= rx.Feed(1);
    done |= rx.Feed(2);
    EXPECT_FALSE(done);
}

// What the line shows during a write, and whether a radio that stores every byte it receives
// holds exactly the image: S is the writer putting the next byte on the line (only when the
// ledger lets it), Q the line staying quiet after the first byte's echo, a number a byte that came
// back.
TEST(EchoLedger, EveryByteGoesOutOnceAndBringsItsOwnEchoes) {
    constexpr int S = -1, Q = -2;
    const uint8_t image[] = {0x10, 0x20, 0x20, 0x30};
    struct {
        const char* what;
        std::vector<int> line;
        int index;
        bool failed;
    } cases[] = {
        {"a radio that echoes once", {S, 0x10, Q, S, 0x20, S, 0x20, S, 0x30}, 4, false},
        {"a radio that echoes twice", {S, 0x10, 0x10, S, 0x20, 0x20, S, 0x20, 0x20, S, 0x30, 0x30}, 4, false},
        {"twice: one echo is not yet enough", {S, 0x10, 0x10, S, 0x20}, 1, false},
        {"twice: the second echo of a byte is not the next one's", {S, 0x10, 0x10, S, 0x20, 0x20, S, 0x20}, 2, false},
        {"once: a second echo comes after all", {S, 0x10, Q, S, 0x10}, 1, true},
        {"once: the second echo of a byte equal to the next", {S, 0x10, Q, S, 0x20, 0x20}, 2, true},
        {"twice: a third echo", {S, 0x10, 0x10, S, 0x20, 0x20, 0x20}, 2, true},
        {"wrong echo", {S, 0x11}, 0, true},
        {"a stray byte before the echo", {S, 0x00, 0x10}, 0, true},
        {"quiet before the first echo changes nothing", {S, Q, 0x10, Q}, 1, false},
        {"noise before the first byte went out", {0x10, 0x55, S, 0x10, Q}, 1, false},
        {"a byte after the last echo: the image is in", {S, 0x10, Q, S, 0x20, S, 0x20, S, 0x30, 0x31}, 4, false},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        EchoLedger ledger(image, 4);
        for (int step : c.line) {
            if (step == S) {
                ASSERT_TRUE(ledger.Ready()) << "sent before the last byte had its echoes";
                EXPECT_EQ(ledger.Send(), image[ledger.Index()]);
            } else if (step == Q) {
                ledger.EchoesOnce();
            } else {
                ledger.OnByte(static_cast<uint8_t>(step));
            }
        }
        EXPECT_EQ(ledger.Index(), c.index);
        EXPECT_EQ(ledger.Failed(), c.failed);
        EXPECT_EQ(ledger.Done(), c.index == 4);
    }
}

TEST(Supervisor, RadioNotFoundOnTheFifthTickOfTheCall) {
    Supervisor s;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.OnTick(StateCalled, ModeRead, 0, 0).outcome, Supervisor::Outcome::None);
    EXPECT_EQ(s.OnTick(StateIdle, ModeRead, 0, 0).outcome, Supervisor::Outcome::None) << "counts only while called";
    EXPECT_EQ(s.OnTick(StateCalled, ModeRead, 0, 0).outcome, Supervisor::Outcome::NoRadio);
}

TEST(Supervisor, StallsAreTotalsNotRuns) {
    Supervisor s;
    auto t = s.OnTick(StateTransferring, ModeWrite, 0, 0); // due during the handshake: not a stall
    EXPECT_EQ(s.WriteStalls(), 0);
    EXPECT_EQ(t.progress, 0);
    s.OnTick(StateTransferring, ModeWrite, 0, 0); // stall 1
    s.OnTick(StateTransferring, ModeWrite, 7680, 0);
    EXPECT_EQ(s.OnTick(StateTransferring, ModeWrite, 7680, 0).outcome, Supervisor::Outcome::None); // stall 2
    t = s.OnTick(StateTransferring, ModeWrite, 9000, 0);
    EXPECT_EQ(t.outcome, Supervisor::Outcome::None);
    EXPECT_EQ(s.OnTick(StateTransferring, ModeWrite, 9000, 0).outcome, Supervisor::Outcome::EchoError)
        << "the third stall in total ends the write, although progress resumed in between";
}

// However slowly the echoes come, a write that confirms something in every tick goes on; only
// ticks without an echo count, and the one due during the handshake is none of them.
TEST(Supervisor, OnlyTicksWithoutAnEchoEndAWrite) {
    struct {
        const char* what;
        std::vector<int> perTick; // bytes confirmed in each tick after the one due during the handshake
        int endsAt;               // the tick that ends the write, 0: none
    } cases[] = {
        {"one byte a tick", std::vector<int>(40, 1), 0},
        {"every echo 90 ms late", std::vector<int>(40, 11), 0},
        {"two echoes 2 s late", {400, 0, 0, 400, 400, 400}, 0},
        {"one more tick without an echo", {400, 0, 0, 400, 0, 400}, 5},
        {"an echo that never comes", {400, 0, 0, 0}, 4},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        Supervisor s;
        int index = 0, ended = 0;
        EXPECT_EQ(s.OnTick(StateTransferring, ModeWrite, 0, 0).outcome, Supervisor::Outcome::None);
        for (size_t t = 0; t < c.perTick.size() && !ended; ++t) {
            index += c.perTick[t];
            if (s.OnTick(StateTransferring, ModeWrite, index, 0).outcome == Supervisor::Outcome::EchoError)
                ended = static_cast<int>(t) + 1;
        }
        EXPECT_EQ(ended, c.endsAt);
    }
}

TEST(Supervisor, ReadStallsEndAsInterruptedAndProgressNeverShows100) {
    Supervisor s;
    EXPECT_EQ(s.OnTick(StateTransferring, ModeRead, 0, 8000).progress, 50);
    EXPECT_EQ(s.OnTick(StateTransferring, ModeRead, 0, 15999).progress, 99);
    EXPECT_FALSE(s.OnTick(StateTransferring, ModeRead, 0, 16001).progress) << "100 is never set";
    s.OnTick(StateTransferring, ModeRead, 0, 16001);
    s.OnTick(StateTransferring, ModeRead, 0, 16001);
    EXPECT_EQ(s.OnTick(StateTransferring, ModeRead, 0, 16001).outcome, Supervisor::Outcome::Interrupted);
}

TEST(Supervisor, WriteProgressIsMeasuredAgainst15360) {
    Supervisor s;
    EXPECT_EQ(s.OnTick(StateTransferring, ModeWrite, 7680, 0).progress, 50);
    EXPECT_EQ(s.OnTick(StateTransferring, ModeWrite, 15359, 0).progress, 99);
    EXPECT_EQ(s.OnTick(StateDone, ModeWrite, 15359, 0).outcome, Supervisor::Outcome::Completed);
}

TEST(CommandLine, OnlyTheExactTextSlashRReads) {
    EXPECT_EQ(ModeFromCommandLine("/R"), ModeRead);
    EXPECT_EQ(ModeFromCommandLine("/W"), ModeWrite);
    EXPECT_EQ(ModeFromCommandLine("/r"), ModeWrite);
    EXPECT_EQ(ModeFromCommandLine(""), ModeWrite);
    EXPECT_EQ(ModeFromCommandLine(JoinCommandLine({"/R", "x"})), ModeWrite);
    EXPECT_EQ(ModeFromCommandLine(JoinCommandLine({"/R "})), ModeWrite);
    EXPECT_EQ(ModeFromCommandLine(JoinCommandLine({"/R"})), ModeRead);
    EXPECT_STREQ(ModeWord(ModeRead), "Read");
}

TEST(Texts, LanguageByteZeroIsEnglishAnythingElseChinese) {
    auto en = TransmitTexts::ForLanguage(0);
    EXPECT_EQ(en.labels[0], "START");
    EXPECT_EQ(en.messages[MsgCompleted], "Completed Process!");
    for (uint8_t lang : {1, 7, 255}) {
        auto zh = TransmitTexts::ForLanguage(lang);
        EXPECT_EQ(zh.labels[0], "开始");
        EXPECT_EQ(zh.labels[1], "停止");
        EXPECT_EQ(zh.labels[2], "进度");
        EXPECT_EQ(zh.messages[MsgEchoError], "错误: 电台回显错误!");
    }
}

TEST(ToolFiles, MsgSysReadNeedsThreeBytesAndSaysWhy) {
    test::ToolFolder f("msgread");
    MsgSys msg{};
    auto missing = ReadMsgSys(f.File("Msg.sys"), msg);
    EXPECT_FALSE(missing);
    EXPECT_EQ(ExchangeMessage(missing), "2") << "a missing file shows the error number";
    f.Write("Msg.sys", {1, 12});
    auto two = ReadMsgSys(f.File("Msg.sys"), msg);
    EXPECT_FALSE(two);
    EXPECT_EQ(ExchangeMessage(two), "Error File Length!!");
    f.WriteMsgSys(1, 12, 7);
    ASSERT_TRUE(ReadMsgSys(f.File("Msg.sys"), msg));
    EXPECT_EQ(msg.port, 12);
    EXPECT_EQ(msg.language, 7);
}

TEST(ToolFiles, StatusWritesOnlyByteZeroOfAnExistingFile) {
    test::ToolFolder f("status");
    EXPECT_FALSE(WriteMsgSysStatus(f.File("Msg.sys"), 8, 1));
    EXPECT_FALSE(std::filesystem::exists(f.File("Msg.sys"))) << "the tool never creates Msg.sys";
    f.WriteMsgSys(1, 12, 1);
    ASSERT_TRUE(WriteMsgSysStatus(f.File("Msg.sys"), 4, 3));
    EXPECT_EQ(f.Read("Msg.sys"), (std::vector<uint8_t>{4, 12, 1}));
    f.Write("Msg.sys", {1, 12});
    auto running = WriteMsgSysStatus(f.File("Msg.sys"), 4, 3);
    EXPECT_FALSE(running) << "running updates need all three bytes";
    EXPECT_EQ(ExchangeMessage(running), "Error File Length!!");
    EXPECT_TRUE(WriteMsgSysStatus(f.File("Msg.sys"), 8, 1)) << "the exit status needs one byte";
    EXPECT_EQ(f.Read("Msg.sys"), (std::vector<uint8_t>{8, 12}));
    f.Write("Msg.sys", {});
    auto empty = WriteMsgSysStatus(f.File("Msg.sys"), 8, 1);
    EXPECT_FALSE(empty);
    EXPECT_EQ(ExchangeMessage(empty), "Error File Length!!");
}

TEST(ToolFiles, WriteBufferNeedsSixteenThousandBytes) {
    test::ToolFolder f("wbuffer");
    ToolImage image{};
    f.Write("wbuffer.bin", std::vector<uint8_t>(kRadioImageSize - 1, 1));
    auto shortFile = LoadWriteBuffer(f.File("wbuffer.bin"), image);
    EXPECT_FALSE(shortFile);
    EXPECT_EQ(ExchangeMessage(shortFile), "Error File Length!!");
    EXPECT_EQ(image[0], 0) << "a short file loads nothing";
    std::vector<uint8_t> full(kImageSize);
    for (size_t i = 0; i < full.size(); ++i) full[i] = static_cast<uint8_t>(i % 251);
    f.Write("wbuffer.bin", full);
    ASSERT_TRUE(LoadWriteBuffer(f.File("wbuffer.bin"), image));
    EXPECT_TRUE(std::equal(image.begin(), image.end(), full.begin()));
}

TEST(ToolFiles, ReadBufferIsReplacedWholeOrReportedAsFailed) {
    test::ToolFolder f("rbuffer");
    ToolImage image{};
    image[0] = 0x11;
    image[kRadioImageSize - 1] = 0x22;
    f.Write("rbuffer.bin", std::vector<uint8_t>(20000, 0xFF));
    ASSERT_TRUE(SaveReadBuffer(f.File("rbuffer.bin"), image));
    auto got = f.Read("rbuffer.bin");
    ASSERT_EQ(got.size(), 16000u) << "always exactly 16,000 bytes, whatever it held before";
    EXPECT_EQ(got[0], 0x11);
    EXPECT_EQ(got[15999], 0x22);
    std::filesystem::remove(f.File("rbuffer.bin"));
    std::filesystem::create_directory(f.File("rbuffer.bin"));
    auto saved = SaveReadBuffer(f.File("rbuffer.bin"), image);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ExchangeMessage(saved), "Can't open buffer file");
}

// A symbolic link in rbuffer.bin's place (to a file elsewhere, or to none yet) is replaced by the
// image: nothing is written where it leads.
TEST(ToolFiles, ReadBufferReplacesALinkInsteadOfWritingThroughIt) {
    test::ToolFolder f("rbuffer_link");
    ToolImage image{};
    image.fill(0x5A);
    const std::vector<uint8_t> other(100, 0x77);
    for (bool dangling : {false, true}) {
        SCOPED_TRACE(dangling ? "dangling link" : "link to a file");
        const auto elsewhere = f.File(dangling ? "elsewhere/none.bin" : "elsewhere/data.bin");
        if (!dangling) f.Write("elsewhere/data.bin", other);
        std::filesystem::remove(f.File("rbuffer.bin"));
        std::filesystem::create_symlink(elsewhere, f.File("rbuffer.bin"));
        ASSERT_TRUE(SaveReadBuffer(f.File("rbuffer.bin"), image));
        EXPECT_FALSE(std::filesystem::is_symlink(f.File("rbuffer.bin")));
        EXPECT_EQ(f.Read("rbuffer.bin"), std::vector<uint8_t>(image.begin(), image.end()));
        if (dangling) EXPECT_FALSE(std::filesystem::exists(elsewhere));
        else EXPECT_EQ(f.Read("elsewhere/data.bin"), other);
    }
}
