#include "common/Cp1252.h"

#include <gtest/gtest.h>

#include <string>

using namespace vt;

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
