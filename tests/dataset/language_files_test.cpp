// The shipped language files: well-formed lines, and every text the main window and the COM-port
// dialog read present in both languages.
#include "editor/dataset/LanguageTexts.h"
#include "editor/dataset/LngFile.h"

#include "common/TextUtil.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

using namespace vt;

namespace {
const char* kFiles[] = {"English.lng", "Chinese.lng"};

std::string Path(const char* name) { return std::string(VELTRA_SOURCE_DIR) + "/data/Language/" + name; }

LanguageTexts Load(const char* name) {
    LanguageTexts t;
    EXPECT_EQ(LoadLngFile(t, Path(name)), LngLoad::Loaded) << name;
    return t;
}

// (section, index) pairs that the main window and the COM-port dialog show.
std::vector<std::pair<std::string, int>> ShellEntries() {
    std::vector<std::pair<std::string, int>> e;
    for (int i : {1, 3, 5, 9, 14, 15, 17, 18, 19, 21, 22}) e.emplace_back("Fradio_Msg", i);
    for (int i : {32, 33}) e.emplace_back("Fradio_Msg", i); // channels a dialog's OK removed
    for (int i = 1; i <= 16; ++i) e.emplace_back("Fradio_Tip", i);
    for (int i = 1; i <= 28; ++i) e.emplace_back("Fradio_Interface", i);
    e.emplace_back("Fradio_Interface", 30);
    e.emplace_back("Fradio_Interface", 31);
    for (int i = 1; i <= 4; ++i) e.emplace_back("Fport_Interface", i);
    return e;
}
} // namespace

TEST(LanguageFiles, EveryLineIsWellFormed) {
    for (const char* name : kFiles) {
        std::ifstream in(Path(name), std::ios::binary);
        ASSERT_TRUE(in) << name;
        std::string line;
        int n = 0;
        while (std::getline(in, line)) {
            ++n;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (Trim(line).empty() || line[0] == '#') continue;
            // A text line: known key at the start, exactly three parts, index inside the section.
            const auto at = line.find("@@");
            ASSERT_NE(at, std::string::npos) << name << ":" << n << " " << line;
            const std::string key = line.substr(0, at);
            LanguageTexts probe;
            ASSERT_GE(probe.Upper(key), 0) << name << ":" << n << " unknown key " << key;
            std::vector<std::string> parts;
            for (size_t start = 0;;) {
                size_t pos = line.find("@@", start);
                parts.push_back(line.substr(start, pos == std::string::npos ? std::string::npos : pos - start));
                if (pos == std::string::npos) break;
                start = pos + 2;
            }
            ASSERT_EQ(parts.size(), 3u) << name << ":" << n << " " << line;
            auto index = ToWhole(parts[1]);
            ASSERT_TRUE(index && *index >= 0 && *index <= probe.Upper(key)) << name << ":" << n << " " << line;
            EXPECT_FALSE(CleanLngText(parts[2]).empty()) << name << ":" << n << " empty text";
        }
        EXPECT_GT(n, 0) << name;
    }
}

TEST(LanguageFiles, MainWindowTextsExistInBothLanguages) {
    const LanguageTexts eng = Load("English.lng"), chs = Load("Chinese.lng");
    for (const auto& [section, index] : ShellEntries()) {
        EXPECT_FALSE(eng.Get(section, index).empty()) << "English " << section << " " << index;
        EXPECT_FALSE(chs.Get(section, index).empty()) << "Chinese " << section << " " << index;
        // Translated, except the file-name part of the caption.
        if (!(section == "Fradio_Interface" && index == 2)) {
            EXPECT_NE(eng.Get(section, index), chs.Get(section, index)) << section << " " << index;
        }
    }
    // Texts that the program compares or builds on keep their form.
    EXPECT_EQ(eng.Get("Fradio_Interface", 1), "Data Editor");
    EXPECT_EQ(eng.Get("Fradio_Interface", 2), "  --  [noname.dat]");
    EXPECT_EQ(eng.Get("Fradio_Interface", 27), "AREA   NAME:");
    EXPECT_EQ(eng.Get("Fradio_Msg", 9).front(), ' ');
    EXPECT_EQ(eng.Get("Fradio_Msg", 9).back(), ' ');
    EXPECT_NE(eng.Get("Fradio_Msg", 17).find('\r'), std::string::npos);
}

// Every text of the English file, the program's own additions among them, has its Chinese one,
// with the same values (%1, %2, ...) to fill in.
TEST(LanguageFiles, EveryEnglishTextHasAChineseOne) {
    const LanguageTexts eng = Load("English.lng"), chs = Load("Chinese.lng");
    int texts = 0;
    for (const auto& section : LanguageSections())
        for (int i = 0; i <= section.upper; ++i) {
            const std::string& e = eng.Get(section.key, i);
            if (e.empty()) continue;
            ++texts;
            const std::string& c = chs.Get(section.key, i);
            EXPECT_FALSE(c.empty()) << section.key << " " << i << ": " << e;
            for (char mark = '1'; mark <= '9'; ++mark)
                EXPECT_EQ(e.find(std::string("%") + mark) == std::string::npos,
                          c.find(std::string("%") + mark) == std::string::npos)
                    << section.key << " " << i << " %" << mark;
        }
    EXPECT_GT(texts, 300);
}

// Chinese runs its words together: blanks between two Chinese characters are an English
// spacing carried over ("AREA   NAME:").
TEST(LanguageFiles, ChineseTextsHaveNoBlanksBetweenChineseCharacters) {
    std::ifstream in(Path("Chinese.lng"), std::ios::binary);
    ASSERT_TRUE(in);
    auto wide = [](const std::string& s, size_t i) { return static_cast<unsigned char>(s[i]) >= 0xE2; };
    std::string line;
    while (std::getline(in, line)) {
        const auto last = line.rfind("@@");
        if (line.empty() || line[0] == '#' || last == std::string::npos) continue;
        const std::string text = CleanLngText(line.substr(last + 2));
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] != ' ' || i == 0) continue;
            size_t before = i;
            while (before > 0 && (static_cast<unsigned char>(text[before - 1]) & 0xC0) == 0x80) --before;
            if (before == 0) continue;
            --before; // the lead byte of the character before the blank
            size_t after = text.find_first_not_of(' ', i);
            if (after == std::string::npos) break;
            EXPECT_FALSE(wide(text, before) && wide(text, after)) << line;
            i = after;
        }
    }
}

TEST(LanguageFiles, ShippedFilesFitTheSizeLimit) {
    for (const char* name : kFiles) {
        std::ifstream in(Path(name), std::ios::binary | std::ios::ate);
        ASSERT_TRUE(in) << name;
        EXPECT_LE(static_cast<std::uintmax_t>(in.tellg()), kMaxLngFileSize) << name;
    }
}
