#include "editor/service/core/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

TEST(NumberText, PlainShortestText) {
    EXPECT_EQ(vt::NumberText(32 + 3 * 0.1), "32.3");
    EXPECT_EQ(vt::NumberText(0.5), "0.5");
    EXPECT_EQ(vt::NumberText(67.0), "67");
    EXPECT_EQ(vt::NumberText(0.00001), "0.00001");
    EXPECT_EQ(vt::NumberText(0.125), "0.125");
    EXPECT_EQ(vt::NumberText(-0.0), "0");
    EXPECT_EQ(vt::NumberText(470), "470");
}

// 15 significant digits and never an exponent, at any magnitude.
TEST(NumberText, NoExponentAtAnyMagnitude) {
    EXPECT_EQ(vt::NumberText(1e15), "1000000000000000");
    EXPECT_EQ(vt::NumberText(123456789012345678e3), "123456789012346000000");
    EXPECT_EQ(vt::NumberText(-2.5e20), "-250000000000000000000");
    EXPECT_EQ(vt::NumberText(1e41), "1" + std::string(41, '0'));
    EXPECT_EQ(vt::NumberText(1e-20), "0.00000000000000000001");
    EXPECT_EQ(vt::NumberText(1.5e-30), "0.0000000000000000000000000000015");
    EXPECT_EQ(vt::NumberText(9.999999999999999e-6), "0.00001"); // rounds up to the next power of ten
    EXPECT_EQ(vt::NumberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(vt::NumberText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(vt::NumberText(2.0 / 3.0 * 1e-7), "0.0000000666666666666667");
    EXPECT_EQ(vt::NumberText(5e-324), "0." + std::string(323, '0') + "494065645841247");
    for (double v : {1.7976931348623157e308, -3.3e-200, 4.9e-324, 123.456e100}) {
        std::string t = vt::NumberText(v);
        EXPECT_EQ(t.find_first_of("eE"), std::string::npos) << t;
        std::string sig = t;
        sig.erase(std::remove_if(sig.begin(), sig.end(), [](char c) { return c == '-' || c == '.'; }), sig.end());
        sig.erase(0, sig.find_first_not_of('0'));
        sig.erase(sig.find_last_not_of('0') + 1);
        EXPECT_LE(sig.size(), 15u) << t;
        EXPECT_NEAR(static_cast<double>(std::strtold(t.c_str(), nullptr) / v), 1.0, 1e-14) << t;
    }
}
