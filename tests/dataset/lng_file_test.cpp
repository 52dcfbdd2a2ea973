#include "editor/dataset/CellRules.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/LanguageTexts.h"
#include "editor/dataset/LngFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {
class LngFileTest : public ::testing::Test {
protected:
    vt::test::TempDir tmp{"veltra-lng"};
    const fs::path dir = tmp.Path();
    fs::path Write(const std::string& name, const std::string& content) {
        fs::path p = dir / name;
        std::ofstream(p, std::ios::binary) << content;
        return p;
    }
};
} // namespace

TEST(CleanLngText, TrimsThenReplacesMarkers) {
    EXPECT_EQ(CleanLngText("Change<sp>band?<br>OK"), "Change band?\rOK");
    EXPECT_EQ(CleanLngText("  <sp>Hello  "), " Hello");
    EXPECT_EQ(CleanLngText("<sp><sp>"), "  ");
    EXPECT_EQ(CleanLngText("a<SP>b<BR>"), "a<SP>b<BR>");
    EXPECT_EQ(CleanLngText("<br><br>"), "\r\r");
    EXPECT_EQ(CleanLngText("\tx "), "\tx");
    EXPECT_EQ(CleanLngText(""), "");
}

TEST_F(LngFileTest, ReadsSectionsAndSkipsBadLines) {
    LanguageTexts t;
    auto p = Write("a.lng", "# comment line\r\n"
                            "Fradio_Msg@@17@@Change<sp>band?<br>OK\r\n"
                            "Fradio_Tip@@1@@  <sp>Hello  \r\n"
                            "junk before Ftone_Tip@@4@@prefixed\r\n"
                            "Fradio_Msg@@2@@has@@four parts\r\n"
                            "Fradio_Msg@@21@@beyond the bound\r\n"
                            "Fradio_Msg@@-1@@negative\r\n"
                            "Fradio_Msg@@x@@not a number\r\n"
                            "Fradio_Msg@@@@empty index\r\n"
                            "fradio_msg@@3@@wrong case\r\n"
                            "Fabout_Interface@@5@@last section\r\n"
                            "Fradio_Interface@@1@@first\r\n"
                            "Fradio_Interface@@1@@second wins\r\n"
                            "Fport_Interface@@ 2 @@spaced index");
    ASSERT_EQ(LoadLngFile(t, p), LngLoad::Loaded);
    EXPECT_EQ(t.Get("Fradio_Msg", 17), "Change band?\rOK");
    EXPECT_EQ(t.Get("Fradio_Tip", 1), " Hello");
    EXPECT_EQ(t.Get("Ftone_Tip", 4), "prefixed");
    EXPECT_EQ(t.Get("Fradio_Msg", 2), "");
    EXPECT_EQ(t.Get("Fradio_Msg", 3), "");
    EXPECT_EQ(t.Get("Fradio_Msg", 0), "");
    EXPECT_EQ(t.Get("Fabout_Interface", 5), "last section");
    EXPECT_EQ(t.Get("Fradio_Interface", 1), "second wins");
    EXPECT_EQ(t.Get("Fport_Interface", 2), "spaced index");
}

TEST_F(LngFileTest, LineEndsOfEveryKind) {
    LanguageTexts t;
    auto p = Write("b.lng", "Fradio_Msg@@1@@crlf\r\nFradio_Msg@@2@@cr\rFradio_Msg@@3@@lf\nFradio_Msg@@4@@last");
    ASSERT_EQ(LoadLngFile(t, p), LngLoad::Loaded);
    EXPECT_EQ(t.Get("Fradio_Msg", 1), "crlf");
    EXPECT_EQ(t.Get("Fradio_Msg", 2), "cr");
    EXPECT_EQ(t.Get("Fradio_Msg", 3), "lf");
    EXPECT_EQ(t.Get("Fradio_Msg", 4), "last");
}

TEST_F(LngFileTest, SizeLimitAndMissingFiles) {
    const std::string line = "Fradio_Msg@@1@@sized\r\n";
    std::string exact = line + std::string(kMaxLngFileSize - line.size(), '#');
    ASSERT_EQ(exact.size(), 120000u);
    LanguageTexts t;
    EXPECT_EQ(LoadLngFile(t, Write("exact.lng", exact)), LngLoad::Loaded);
    EXPECT_EQ(t.Get("Fradio_Msg", 1), "sized");

    LanguageTexts u;
    u.Set("Fradio_Msg", 1, "before");
    std::string over = "Fradio_Msg@@1@@refused\r\n" + std::string(kMaxLngFileSize - line.size() + 3, '#');
    ASSERT_GT(over.size(), 120000u);
    EXPECT_EQ(LoadLngFile(u, Write("over.lng", over)), LngLoad::Refused);
    EXPECT_EQ(u.Get("Fradio_Msg", 1), "before");

    EXPECT_EQ(LoadLngFile(u, dir / "missing.lng"), LngLoad::Refused);
    EXPECT_EQ(LoadLngFile(u, dir), LngLoad::Refused); // a folder is no file
    EXPECT_EQ(u.Get("Fradio_Msg", 1), "before");
}

TEST_F(LngFileTest, LaterLoadKeepsEntriesTheFileLacks) {
    LanguageTexts t;
    ASSERT_EQ(LoadLngFile(t, Write("c.lng", "Fradio_Msg@@5@@chinese five\nFradio_Msg@@6@@chinese six\n")),
              LngLoad::Loaded);
    ASSERT_EQ(LoadLngFile(t, Write("e.lng", "Fradio_Msg@@6@@english six\n")), LngLoad::Loaded);
    EXPECT_EQ(t.Get("Fradio_Msg", 5), "chinese five");
    EXPECT_EQ(t.Get("Fradio_Msg", 6), "english six");
}

// The main window's cell messages with a file that lacks them: the shipped English texts, while
// the loaded arrays keep the gap.
TEST_F(LngFileTest, CellMessagesAFileLacksComeInEnglish) {
    EditorData d;
    ASSERT_EQ(LoadLngFile(d.Lang, Write("c.lng", "Fradio_Msg@@9@@中文\n")), LngLoad::Loaded);
    LanguageTexts english;
    ASSERT_EQ(LoadLngFile(english, fs::path(VELTRA_SOURCE_DIR) / "data/Language/English.lng"), LngLoad::Loaded);
    const CellContext c = CellContextOf(d);
    EXPECT_EQ(d.Lang.Get("Fradio_Msg", 5), "");
    EXPECT_EQ(c.NotNumberMsg, english.Get("Fradio_Msg", 5));
    EXPECT_EQ(c.ToneRangeMsg, english.Get("Fradio_Msg", 14));
    EXPECT_EQ(c.RangeInfixMsg, "中文");
    EXPECT_FALSE(c.NotNumberMsg.empty() || c.ToneRangeMsg.empty());
}

TEST_F(LngFileTest, ProgramFolderFileOfTheLanguageCode) {
    fs::create_directories(dir / "Language");
    Write("Language/English.lng", "Fradio_Interface@@1@@Data Editor\n");
    Write("Language/Chinese.lng", "Fradio_Interface@@1@@数据编辑器\n");
    ::setenv("VELTRA_HOME", dir.c_str(), 1);
    EditorData d;
    EXPECT_EQ(LoadLngFile(d), LngLoad::Loaded);
    EXPECT_EQ(d.Lang.Get("Fradio_Interface", 1), "Data Editor");
    d.LangCode = "chs";
    EXPECT_EQ(LoadLngFile(d), LngLoad::Loaded);
    EXPECT_EQ(d.Lang.Get("Fradio_Interface", 1), "数据编辑器");
    fs::remove(dir / "Language/Chinese.lng");
    EXPECT_EQ(LoadLngFile(d), LngLoad::Refused);
    ::unsetenv("VELTRA_HOME");
}
