#include "common/TextUtil.h"
#include "common/ui/MessageBox.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/ui/Frm_5Tone.h"
#include "editor/settings/ui/Frm_Farm.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "helpers/tone_test_support.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/DialogAnswers.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <memory>

using namespace vt;

class FrmFarmTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ui::ScriptedMessageBox> boxes;
    std::unique_ptr<ui::ScopedMessageBox> scope;
    std::unique_ptr<EditorData> d;
    std::unique_ptr<Frm_Farm> dlg;

    void open() {
        dlg = std::make_unique<Frm_Farm>(*d);
        dlg->show();
        dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
    }
    QString msg(int k) const { return QString::fromStdString(d->Lang.Get("Ffarm_Msg", k)); }
    QString tip(int k) const { return QString::fromStdString(d->Lang.Get("Ffarm_Tip", k)); }
    void leave(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
        dlg->ChkFarm->setFocus();
    }
    void fillFarm() {
        click(dlg->ChkFarm);
        QVERIFY(dlg->ChkFarm->isChecked());
        dlg->txtGroupID->setText("123");
        dlg->txtPosition->setText("45");
        dlg->txtFarmch->setText("12");
        dlg->txtFarmFreq->setText("150.0000");
    }
    // On the box itself: a wide check box takes clicks on its box and caption only.
    static void click(QCheckBox* c) { QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2)); }
    void ok() { QTest::mouseClick(dlg->CmdOk, Qt::LeftButton); }

private slots:
    void init() {
        boxes = std::make_unique<ui::ScriptedMessageBox>();
        scope = std::make_unique<ui::ScopedMessageBox>(boxes.get());
        d = std::make_unique<EditorData>();
        QVERIFY(test::LoadToneLanguage(*d, "English"));
        SetBand(*d, 3);
        AdjustArea_Marnet(*d);
        open();
    }
    void cleanup() {
        dlg.reset();
        scope.reset();
    }

    void okAtOnceKeepsTheDefault() {
        QVERIFY(!dlg->txtGroupID->isEnabled());
        QVERIFY(!dlg->txtSecFre->isVisible());
        QVERIFY(!dlg->Label9->isVisible());
        ok();
        QCOMPARE(d->FarmMarnetInfo(), std::string(kDefaultFarmMarnetInfo));
        QVERIFY(d->IsModified());
        QVERIFY(!d->PendingFiveTone); // nothing was on: the 5-tone list is not touched
        QVERIFY(!dlg->isVisible());
    }

    void opensWithTheStoredSettingsSoOkChangesNothing() {
        d->SetFarmMarnetInfo("1|123|45|12|150.0000|0|||1|152.0000");
        open();
        QVERIFY(dlg->ChkFarm->isChecked());
        QVERIFY(dlg->Chk2Rec->isChecked());
        QVERIFY(dlg->txtGroupID->isEnabled());
        QCOMPARE(dlg->txtPosition->text(), QString("45"));
        QVERIFY(dlg->txtSecFre->isVisible() && dlg->txtSecFre->isEnabled());
        QVERIFY(!dlg->txtMarID->isEnabled());
        QCOMPARE(dlg->Label9->text().toStdString(), d->Lang.Get("Ffarm_Interface", 11));
        ok();
        QCOMPARE(d->FarmMarnetInfo(), std::string("1|123|45|12|150.0000|0|||1|152.0000"));
    }

    void leavingBoxesEmptiesBadEntriesWithTheirTips() {
        fillFarm();
        leave(dlg->txtPosition, "98");
        QCOMPARE(dlg->txtPosition->text(), QString(""));
        QCOMPARE(dlg->FarmTip->text(), QString(""));
        leave(dlg->txtPosition, "97");
        QCOMPARE(dlg->txtPosition->text(), QString("97"));
        leave(dlg->txtPosition, "x");
        QCOMPARE(dlg->FarmTip->text(), tip(6));
        leave(dlg->txtFarmch, "201");
        QCOMPARE(dlg->txtFarmch->text(), QString(""));
        leave(dlg->txtFarmFreq, "180");
        QCOMPARE(dlg->txtFarmFreq->text(), QString(""));
        QCOMPARE(dlg->FarmTip->text(), tip(7) + "135 -- 175 MHz");
        leave(dlg->txtFarmFreq, "135");
        QCOMPARE(dlg->txtFarmFreq->text(), QString("135"));
        // A short group ID is left alone and reported at OK; the focus goes on.
        leave(dlg->txtGroupID, "12");
        QCOMPARE(dlg->txtGroupID->text(), QString("12"));
        QVERIFY(dlg->ChkFarm->hasFocus());
        QVERIFY(boxes->texts().isEmpty());
    }

    void okReportsEachRefusedEntry() {
        fillFarm();
        dlg->txtGroupID->setText("");
        ok();
        QCOMPARE(boxes->texts().last(), msg(1));
        dlg->txtGroupID->setText("12");
        ok();
        QCOMPARE(boxes->texts().last(), msg(12));
        dlg->txtGroupID->setText("123");
        dlg->txtPosition->setText("");
        ok();
        QCOMPARE(boxes->texts().last(), msg(4));
        dlg->txtPosition->setText("45");
        click(dlg->ChkMarnet);
        ok();
        QCOMPARE(boxes->texts().last(), msg(5));
        dlg->txtMarID->setText("1234");
        ok();
        QCOMPARE(boxes->texts().last(), msg(13));
        dlg->txtMarID->setText("12345");
        dlg->txtMaxch->setText("1");
        ok();
        QCOMPARE(boxes->texts().last(), msg(14));
        dlg->txtMaxch->setText("12");
        dlg->txtSecFre->setText("151.0000");
        ok();
        QCOMPARE(boxes->texts().last(), msg(9)); // FARMCALL channel 12 is not below 12
        QVERIFY(dlg->isVisible());
        QCOMPARE(d->FarmMarnetInfo(), std::string(kDefaultFarmMarnetInfo));
        dlg->txtMaxch->setText("13");
        ok();
        QVERIFY(!dlg->isVisible());
        QCOMPARE(boxes->texts().size(), 7);
    }

    void channelBeyondTheAreasIsReportedFirst() {
        auto f = Split(d->RadioOption());
        f[0] = "2";
        f[1] = "50";
        d->SetRadioOption(Join(f));
        fillFarm();
        dlg->txtFarmch->setText("150");
        dlg->txtGroupID->setText("");
        ok();
        QCOMPARE(boxes->texts(), QStringList{msg(11)});
    }

    void secondReceiverSwitchFollowsTheModes() {
        click(dlg->Chk2Rec);
        QVERIFY(!dlg->Chk2Rec->isChecked());
        QCOMPARE(dlg->FarmTip->text(), tip(3));
        click(dlg->ChkFarm);
        QVERIFY(dlg->txtSecFre->isVisible());
        QVERIFY(!dlg->txtSecFre->isEnabled());
        click(dlg->Chk2Rec);
        QVERIFY(dlg->txtSecFre->isEnabled());
        click(dlg->ChkMarnet);
        QCOMPARE(dlg->Label9->text().toStdString(), d->Lang.Get("Ffarm_Interface", 12));
        click(dlg->ChkFarm); // off while MARNET stays on
        QVERIFY(dlg->txtSecFre->isVisible() && dlg->txtSecFre->isEnabled());
        QVERIFY(dlg->Chk2Rec->isChecked());
        QVERIFY(dlg->Label9->isVisible());
        click(dlg->ChkMarnet); // both off
        QVERIFY(!dlg->txtSecFre->isVisible());
        QVERIFY(!dlg->Chk2Rec->isChecked());
        QVERIFY(!dlg->Label9->isVisible());
    }

    void okAppliesFarmcallAndThe5ToneDialogShowsIt() {
        fillFarm();
        ok();
        QCOMPARE(d->FarmMarnetInfo(), std::string("1|123|45|12|150.0000|0|||0|"));
        QCOMPARE(d->MFG.TextMatrix(12, 4), std::string("FARMCALL"));
        QCOMPARE(d->MFG.TextMatrix(12, 11), std::string("AP"));
        QCOMPARE(d->SpecialData()[98][10], std::string("123455"));
        QCOMPARE(d->FiveToneChannels()[98], std::string(kEmptyToneLine));
        Frm_5Tone tone(*d);
        QCOMPARE(tone.MFG5Tone->model()->index(97, 0).data().toString(), QString("FARMCALL 123455"));
        QCOMPARE(tone.lbFarmcall->text(), QString("123"));
        tone.Command1_Click();
        QCOMPARE(d->FiveToneChannels()[98], std::string("FARMCALL 123455|ZVEI1|FARMCALL 123455|200|3|1"));
    }

    void cancelKeepsEverything() {
        fillFarm();
        QTest::mouseClick(dlg->CmdCancel, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(d->FarmMarnetInfo(), std::string(kDefaultFarmMarnetInfo));
        QVERIFY(!d->IsModified());
        QCOMPARE(d->MFG.TextMatrix(12, 4), std::string(""));
    }

    void screenshotsInBothLanguages() {
        d->SetFarmMarnetInfo("1|123|45|12|150.0000|1|12345|40|1|151.0000");
        for (const char* lang : {"English", "Chinese"}) {
            QVERIFY(test::LoadToneLanguage(*d, lang));
            open();
            QTest::mouseMove(dlg->ChkMarnet);
            QImage img = dlg->grab().toImage();
            QVERIFY(img.save(test::QPath(test::ScreenshotFolder() / (std::string("frm_farm_") + lang + ".png"))));
        }
        QCOMPARE(dlg->windowTitle(), QString::fromUtf8("安装 Farmcall 和 Marnet"));
    }
};

QTEST_MAIN(FrmFarmTest)
#include "tst_frm_farm.moc"
