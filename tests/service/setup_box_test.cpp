#include "editor/service/core/SetupBoxCheck.h"
#include "editor/service/core/SetupCodes.h"

#include <gtest/gtest.h>

using vt::SetupBoxCheck;

TEST(SetupBoxCheck, RefusesWithTheRightMessage) {
    struct Case {
        const char* text;
        SetupBoxCheck::Verdict verdict;
        const char* message;
    };
    const Case cases[] = {
        {"", SetupBoxCheck::Verdict::NoValue, "no value!"},
        {"    ", SetupBoxCheck::Verdict::NoValue, "no value!"},
        {"abc", SetupBoxCheck::Verdict::NotNumber, "input number"},
        {"1 2", SetupBoxCheck::Verdict::NotNumber, "input number"},
        {"0x20", SetupBoxCheck::Verdict::NotNumber, "input number"},
        {"0", SetupBoxCheck::Verdict::OutOfRange, "incorrect value!"},
        {"256", SetupBoxCheck::Verdict::OutOfRange, "incorrect value!"},
        {"-5", SetupBoxCheck::Verdict::OutOfRange, "incorrect value!"},
        {"0.4", SetupBoxCheck::Verdict::OutOfRange, "incorrect value!"},
        {"255.5", SetupBoxCheck::Verdict::OutOfRange, "incorrect value!"}, // halves go to even: 256
        {"1e300", SetupBoxCheck::Verdict::OutOfRange, "incorrect value!"},
    };
    for (const auto& c : cases) {
        const auto r = SetupBoxCheck::Run(c.text);
        EXPECT_EQ(r.verdict, c.verdict) << '"' << c.text << '"';
        EXPECT_EQ(r.message, c.message) << '"' << c.text << '"';
        EXPECT_FALSE(r.ok());
    }
}

TEST(SetupBoxCheck, AcceptsWholeNumbersFromOneTo255) {
    EXPECT_EQ(SetupBoxCheck::Run("1").value, 1);
    EXPECT_EQ(SetupBoxCheck::Run("255").value, 255);
    EXPECT_EQ(SetupBoxCheck::Run(" 32 ").value, 32);
    EXPECT_EQ(SetupBoxCheck::Run("254.5").value, 254); // half to even
    EXPECT_EQ(SetupBoxCheck::Run("0.6").value, 1);
    EXPECT_TRUE(SetupBoxCheck::Run("100").message.empty());
}

TEST(SetupCodes, EachTypeHasItsCodes) {
    EXPECT_EQ(vt::SetupCodesFor(0), (vt::SetupCodeSet{"AC", "AA", "AB", "AD"}));
    EXPECT_EQ(vt::SetupCodesFor(1), (vt::SetupCodeSet{"AC", "AE", "AF", "AD"}));
    EXPECT_EQ(vt::SetupCodesFor(2), (vt::SetupCodeSet{"A9", "A7", "A8", "AD"}));
    EXPECT_EQ(vt::SetupCodesFor(-1), vt::SetupCodesFor(0));
    EXPECT_EQ(vt::SetupCodesFor(3), vt::SetupCodesFor(0));
}

TEST(SetupCodes, HexTextToBytes) {
    using Bytes = std::vector<uint8_t>;
    EXPECT_EQ(vt::strHexToByteArray("AD"), Bytes{0xAD});
    EXPECT_EQ(vt::strHexToByteArray("a020202009740101"),
              (Bytes{0xA0, 0x20, 0x20, 0x20, 0x09, 0x74, 0x01, 0x01}));
    EXPECT_EQ(vt::strHexToByteArray(" 0D 0a "), (Bytes{0x0D, 0x0A}));
    EXPECT_EQ(vt::strHexToByteArray("ABC"), Bytes{0xAB}); // unpaired last digit dropped
    EXPECT_EQ(vt::strHexToByteArray("A1G2"), Bytes{0xA1}); // stops at the first non-digit
    EXPECT_EQ(vt::strHexToByteArray("AG"), Bytes{});
    EXPECT_EQ(vt::strHexToByteArray(""), Bytes{});
    EXPECT_EQ(vt::ConvertHexChr('f'), 15);
    EXPECT_EQ(vt::ConvertHexChr('F'), 15);
    EXPECT_EQ(vt::ConvertHexChr('g'), -1);
}
