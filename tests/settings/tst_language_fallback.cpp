// A language file that lacks entries (an older or damaged Chinese.lng): the dialogs show the
// English text of every missing entry, never an empty box or caption.
#include "common/ui/MessageBox.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/dataset/LngFile.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/core/SpecialCall.h"
#include "editor/settings/ui/Frm_5Tone.h"
#include "editor/settings/ui/Frm_Option.h"
#include "editor/settings/ui/Frm_Special.h"
#include "option_dialog_helpers.h"
#include "tests/support/TempDir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

using namespace vt;

namespace {
std::filesystem::path Shipped(const char* name) {
    return std::filesystem::path(VELTRA_SOURCE_DIR) / "data" / "Language" / name;
}

// The shipped Chinese file without the lines of the given sections.
std::filesystem::path ChineseWithout(const test::TempDir& dir, const std::vector<std::string>& sections) {
    std::ifstream in(Shipped("Chinese.lng"), std::ios::binary);
    std::ostringstream out;
    for (std::string line; std::getline(in, line);) {
        bool drop = false;
        for (const auto& s : sections) drop = drop || line.rfind(s + "@@", 0) == 0;
        if (!drop) out << line << '\n';
    }
    auto path = dir.File("Chinese.lng");
    std::ofstream(path, std::ios::binary) << out.str();
    return path;
}
} // namespace

class LanguageFallbackTest : public QObject {
    Q_OBJECT
    ui::ScriptedMessageBox boxes;
    std::unique_ptr<ui::ScopedMessageBox> scope;
    test::TempDir dir;
    LanguageTexts english;

    QString English(const char* section, int index) const {
        return QString::fromStdString(english.Get(section, index)).replace('\r', '\n');
    }
    static void Show(QWidget* w) {
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

private slots:
    void initTestCase() { QCOMPARE(LoadLngFile(english, Shipped("English.lng")), LngLoad::Loaded); }
    void init() {
        boxes.clear();
        scope = std::make_unique<ui::ScopedMessageBox>(&boxes);
    }
    void cleanup() { scope.reset(); }

    // Each row: the sections the file lacks, what the user does in which dialog, the box that
    // must come up and a caption of the dialog, both in English.
    void missingEntriesShowTheirEnglishText_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::newRow("5-tone: CHANNEL abc + Enter") << "5tone" << English("Ftone_Msg", 1)
                                                     << English("Ftone_Interface", 8);
        QTest::newRow("radio options: areas emptied") << "option" << English("Foption_Msg", 1)
                                                      << English("Foption_Interface", 1);
        QTest::newRow("special call: emergency without an own ID")
            << "special" << English("Fspecial_Msg", 2) << English("Fspecial_Interface", 1);
    }
    void missingEntriesShowTheirEnglishText() {
        QFETCH(QString, dialog);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QVERIFY(!message.isEmpty() && !caption.isEmpty());
        EditorData d;
        d.LangCode = "chs";
        auto file = ChineseWithout(dir, {"Ftone_Msg", "Ftone_Interface", "Foption_Msg", "Foption_Interface",
                                         "Fspecial_Msg", "Fspecial_Interface"});
        QCOMPARE(LoadLngFile(d.Lang, file), LngLoad::Loaded);
        QVERIFY(!d.Lang.Get("Fradio_Msg", 1).empty()); // the rest of the file is there
        QString shownCaption;
        if (dialog == "5tone") {
            Frm_5Tone dlg(d);
            Show(&dlg);
            QTableView* v = dlg.MFG5Tone;
            QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(v->model()->index(2, 3)).center());
            QVERIFY(dlg.txtChannel->hasFocus());
            QTest::keyClicks(dlg.txtChannel, "abc");
            QTest::keyClick(dlg.txtChannel, Qt::Key_Return);
            shownCaption = dlg.Label1->text();
        } else if (dialog == "option") {
            Frm_Option dlg(d);
            Show(&dlg);
            testing::TypeOver(dlg.TxtNumberArea, "");
            dlg.TxtChInArea->setFocus();
            shownCaption = dlg.windowTitle();
        } else {
            FiveToneList list;
            list.Load(d);
            Frm_Special dlg(d, list, "", 1);
            Show(&dlg);
            dlg.cmbType->setFocus();
            for (int i = 0; i < kEmergency; ++i) QTest::keyClick(dlg.cmbType, Qt::Key_Down);
            QCOMPARE(dlg.cmbType->itemText(kEmergency), English("Fspecial_Interface", 2 + kEmergency));
            shownCaption = dlg.windowTitle();
        }
        QVERIFY2(boxes.texts().contains(message), qPrintable(boxes.texts().join(" / ")));
        QVERIFY(!boxes.texts().contains(QString()));
        QCOMPARE(shownCaption, caption);
    }
};

QTEST_MAIN(LanguageFallbackTest)
#include "tst_language_fallback.moc"
