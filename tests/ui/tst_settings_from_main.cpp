// The settings dialogs as the main window opens them and as its commands leave them.
#include "common/TextUtil.h"
#include "common/ui/MessageBox.h"
#include "editor/settings/ui/Frm_5Tone.h"
#include "editor/settings/ui/Frm_Farm.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/dataset/LngFile.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/support/qt/DialogAnswers.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace vt;

class SettingsFromMainTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ui::ScriptedMessageBox> boxes;
    std::unique_ptr<ui::ScopedMessageBox> scope;
    std::unique_ptr<EditorData> d;

    static void click(QCheckBox* c) { QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2)); }

private slots:
    void init() {
        boxes = std::make_unique<ui::ScriptedMessageBox>();
        scope = std::make_unique<ui::ScopedMessageBox>(boxes.get());
        d = std::make_unique<EditorData>();
        const auto english = std::filesystem::path(VELTRA_SOURCE_DIR) / "data" / "Language" / "English.lng";
        QVERIFY(LoadLngFile(d->Lang, english) == LngLoad::Loaded);
    }
    void cleanup() {
        scope.reset();
        boxes.reset();
        d.reset();
    }

    // Runs before VELTRA_HOME is set below, as it did beside the farm dialog's other tests.
    void aNewDataSetDropsThePendingListLines() {
        Frm_Radio radio(*d);
        SetBand(*d, 3); // the band the second receiver's frequency lies in
        AdjustArea_Marnet(*d);
        auto dlg = std::make_unique<Frm_Farm>(*d);
        dlg->show();
        click(dlg->ChkMarnet);
        dlg->txtMarID->setText("12234");
        dlg->txtMaxch->setText("40");
        dlg->txtSecFre->setText("151.0000");
        QTest::mouseClick(dlg->CmdOk, Qt::LeftButton);
        QCOMPARE(Split(d->RadioOption())[1], std::string("39"));
        QVERIFY(d->PendingFiveTone);
        boxes->answer(ui::MsgResult::No); // do not save the edits first
        radio.Menu_New->trigger();
        QVERIFY(!d->IsModified());
        QVERIFY(!d->PendingFiveTone);
        Frm_5Tone tone(*d);
        QCOMPARE(tone.TxtID->text(), QString(""));
        QCOMPARE(tone.MFG5Tone->model()->index(99, 0).data().toString(), QString(""));
        tone.Command1_Click();
        QCOMPARE(d->FiveToneChannels()[100], std::string(kEmptyToneLine));
    }

    void theMainWindowsCommandOpensTheDialogModally() {
        qputenv("VELTRA_HOME", VELTRA_APP_DIR);
        EditorData data;
        Frm_Radio main(data);
        QString title;
        QTimer::singleShot(0, this, [&title] {
            auto* t = qobject_cast<Frm_5Tone*>(QApplication::activeModalWidget());
            QVERIFY(t);
            title = t->windowTitle();
            t->TxtID->setText("12345");
            t->Command1->click();
        });
        main.Menu_5Tone_Click();
        QCOMPARE(title, QString("5Tone"));
        QCOMPARE(data.FiveToneInfo(), std::string("12345|1|1|1|5|1"));
        QVERIFY(data.IsModified());
        QVERIFY(!data.PendingFiveTone);
    }
};

QTEST_MAIN(SettingsFromMainTest)
#include "tst_settings_from_main.moc"
