#include "editor/dataset/CellRules.h"

#include <gtest/gtest.h>

#include <string>

namespace vt {
namespace {

// Stored as typed; a channel's ID lines as the radio gives them back, without the blanks at
// either end (inner ones stay).
TEST(CellNames, StoredAsTheRadioKeepsThemUnlessItCannotHoldThem) {
    CellCommit c = CommitName("7", "  Base 1 ", "ID line1.");
    EXPECT_TRUE(c.Accepted);
    EXPECT_EQ(c.Text, "  Base 1 ");
    EXPECT_EQ(CommitChannelName("7", "  Base 1 ", "ID line1.").Text, "Base 1");
    EXPECT_EQ(CommitChannelName("7", "   ", "ID line2.").Text, "");
    EXPECT_FALSE(CommitChannelName("7", " \x1F", "ID line2.").Accepted);
    EXPECT_EQ(CommitName("7", "", "ID line1.").Text, "");
    EXPECT_EQ(CommitName("", "Caf\xC3\xA9 \xE2\x82\xAC", "ID line2.").Text, "Caf\xC3\xA9 \xE2\x82\xAC"); // é and €

    c = CommitName("7", "A\xD0\xB6", "ID line1."); // Cyrillic zhe
    EXPECT_FALSE(c.Accepted);
    EXPECT_EQ(c.Text, "7");
    ASSERT_TRUE(c.Message);
    EXPECT_NE(c.Message->find("ID line1."), std::string::npos);
    EXPECT_NE(c.Message->find("\xD0\xB6"), std::string::npos);

    c = CommitName("x", "\xE4\xB8\xAD", "ID line2."); // a Chinese character
    EXPECT_FALSE(c.Accepted);
    EXPECT_EQ(c.Text, "x");
}

// A pasted tab or NUL has a Windows-1252 byte, but the radio shows it as garbage and the
// decoder cuts the name at a NUL: refused with the same message as a foreign character.
TEST(CellNames, ControlCharactersAndOverlongFormsAreRefused) {
    for (std::string in : {std::string("AB\tC"), std::string("AB\0C", 4), std::string("\x1F"), std::string("A\r\n")}) {
        CellCommit c = CommitName("old", in, "ID line1.");
        EXPECT_FALSE(c.Accepted) << in;
        EXPECT_EQ(c.Text, "old");
        ASSERT_TRUE(c.Message);
        EXPECT_NE(c.Message->find("ID line1.: the character \"U+00"), std::string::npos) << *c.Message;
        EXPECT_NE(c.Message->find("cannot be stored in the radio's memory."), std::string::npos);
    }
    CellCommit c = CommitName("old", "A\xC0\x80", "ID line2."); // an overlong NUL
    EXPECT_FALSE(c.Accepted);
    EXPECT_EQ(c.Text, "old");
    c = CommitName("old", "A\xC1\xBC", "ID line2."); // an overlong "|"
    EXPECT_FALSE(c.Accepted);
    EXPECT_TRUE(CommitName("old", "~ A-Z", "ID line2.").Accepted);
    // DEL is dropped when a name is read back, so it is refused as the controls are.
    EXPECT_FALSE(CommitName("old", "~ A-Z \x7F", "ID line2.").Accepted);
}

} // namespace
} // namespace vt
