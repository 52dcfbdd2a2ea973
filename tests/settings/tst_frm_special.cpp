#include "common/ui/MessageBox.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/ui/Frm_Special.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "helpers/tone_test_support.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/DialogAnswers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace vt;

class FrmSpecialTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ui::ScriptedMessageBox> boxes;
    std::unique_ptr<ui::ScopedMessageBox> scope;
    std::unique_ptr<EditorData> d;
    FiveToneList list;
    std::unique_ptr<Frm_Special> dlg;

    void open(const std::string& ownId = "", int line = 1) {
        dlg = std::make_unique<Frm_Special>(*d, list, ownId, line);
        dlg->show();
        dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
    }
    QString msg(int k) const { return QString::fromStdString(d->Lang.Get("Fspecial_Msg", k)); }
    QString tip(int k) const { return QString::fromStdString(d->Lang.Get("Fspecial_Tip", k)); }
    int visibleFrames() const {
        int n = 0;
        for (QGroupBox* f : dlg->Frames) n += f->isVisible() ? 1 : 0;
        return n;
    }
    // Types into an ID box and leaves it for the next control.
    void enterAndLeave(QLineEdit* box, const QString& text, QWidget* next) {
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
        next->setFocus();
    }

private slots:
    void init() {
        boxes = std::make_unique<ui::ScriptedMessageBox>();
        scope = std::make_unique<ui::ScopedMessageBox>(boxes.get());
        d = std::make_unique<EditorData>();
        QVERIFY(test::LoadToneLanguage(*d, "English"));
        list.Load(*d);
    }
    void cleanup() {
        dlg.reset();
        scope.reset();
    }

    void opensOnTheLineAndTypeZero() {
        open("", 7);
        QCOMPARE(dlg->cmbChannel->currentText(), QString("7"));
        QCOMPARE(dlg->cmbChannel->count(), 100);
        QCOMPARE(dlg->cmbType->currentIndex(), 0);
        QVERIFY(dlg->Frames[0]->isVisible());
        QCOMPARE(visibleFrames(), 1);
        QVERIFY(dlg->cmbType->hasFocus());
        QCOMPARE(dlg->SpecialTip->text(), tip(2));
        QCOMPARE(dlg->txtOutstation->text(), QString("12345"));
        QCOMPARE(dlg->txtMarnetId->text(), QString(""));
        QCOMPARE(dlg->cmbType->itemText(7), QString("Received Message"));
        for (QComboBox* c : dlg->findChildren<QComboBox*>()) QVERIFY2(!c->isEditable(), qPrintable(c->objectName()));
        QStringList levels;
        for (int i = 0; i < dlg->cmbPineH->count(); ++i) levels << dlg->cmbPineH->itemText(i);
        QCOMPARE(levels, (QStringList{"HIGH", "LOW", "TOGG"}));
        dlg.reset();
        open("", 150); // outside the list: the first line
        QCOMPARE(dlg->cmbChannel->currentText(), QString("1"));
    }

    void framesStackUnderTheTypeFrame() {
        open();
        QCOMPARE(dlg->TopTwips(dlg->Frames[0]), 1845);
        QCOMPARE(dlg->TopTwips(dlg->FrameHelp), 2970);
        QCOMPARE(dlg->WindowHeightTwips(), 4665);
        dlg->cmbType->setCurrentIndex(kOtherUser);
        QCOMPARE(dlg->TopTwips(dlg->Frames[6]), 1845);
        QCOMPARE(dlg->TopTwips(dlg->FrameHelp), 4890);
        QCOMPARE(dlg->WindowHeightTwips(), 6585);
        QVERIFY(dlg->height() > 6000 / 15 - 40);
        QCOMPARE(visibleFrames(), 1);
    }

    void networkTipStaysUntilAnotherControlReplacesIt() {
        open();
        dlg->cmbType->setCurrentIndex(kNetworkCall);
        QCOMPARE(dlg->SpecialTip->text(), tip(11));
        dlg->cmbType->setCurrentIndex(kCodeRequest);
        QVERIFY(dlg->Frames[0]->isVisible());
        QCOMPARE(visibleFrames(), 1);
        QCOMPARE(dlg->SpecialTip->text(), tip(11));
        dlg->cmbPine->setFocus();
        QCOMPARE(dlg->SpecialTip->text(), tip(4));
        dlg->cmbType->setCurrentIndex(kOtherUser);
        dlg->cmbCh2->setFocus();
        QCOMPARE(dlg->SpecialTip->text(), QString(""));
    }

    void emergencyNeedsAFiveDigitOwnId() {
        for (const char* id : {"1234", "12A45", "12300"}) {
            open(id);
            dlg->cmbType->setCurrentIndex(kEmergency);
            QCOMPARE(boxes->texts(), QStringList{msg(2)});
            QCOMPARE(dlg->cmbType->currentIndex(), 0);
            QVERIFY(dlg->Frames[0]->isVisible());
            QCOMPARE(visibleFrames(), 1);
            boxes->clear();
        }
        open("12307");
        dlg->cmbType->setCurrentIndex(kEmergency);
        QVERIFY(boxes->texts().isEmpty());
        QVERIFY(dlg->Frames[4]->isVisible());
    }

    void idBoxesAreCheckedWhenLeftAndTakeTheFocusBack() {
        open();
        dlg->cmbType->setCurrentIndex(kAlarmInstruction);
        enterAndLeave(dlg->txtID3, "1234R", dlg->cmbAlarmno);
        QVERIFY(boxes->texts().isEmpty());
        QCOMPARE(dlg->txtID3->text(), QString("1234R"));
        QVERIFY(dlg->cmbAlarmno->hasFocus());
        // An alarm instruction's ID has no code for the group mark.
        enterAndLeave(dlg->txtID3, "1234G", dlg->cmbAlarmno);
        QCOMPARE(boxes->texts(), QStringList{msg(6)});
        QCOMPARE(dlg->txtID3->text(), QString(""));
        QTRY_VERIFY(dlg->txtID3->hasFocus());
        // Left by Tab: the box is emptied and has the focus again, so the next keys land in it
        // and not in the alarm number list.
        boxes->clear();
        QTest::keyClicks(dlg->txtID3, "1234g");
        QTest::keyClick(dlg->txtID3, Qt::Key_Tab);
        QCOMPARE(boxes->texts(), QStringList{msg(3)});
        QTRY_VERIFY(dlg->txtID3->hasFocus());
        const int alarm = dlg->cmbAlarmno->currentIndex();
        QTest::keyClicks(dlg->txtID3, "123");
        QCOMPARE(dlg->cmbAlarmno->currentIndex(), alarm);
        QCOMPARE(dlg->txtID3->text(), QString("123"));
        dlg->cmbChannel->setFocus(Qt::MouseFocusReason);
        QCOMPARE(boxes->texts().last(), msg(4));
        QTRY_VERIFY(dlg->txtID3->hasFocus());
        // Another call type hides the box: it takes nothing back.
        dlg->cmbType->setFocus(Qt::MouseFocusReason);
        dlg->cmbType->setCurrentIndex(kPanicCall);
        QCoreApplication::processEvents();
        QVERIFY(!dlg->txtID3->isVisible());
        QVERIFY(!dlg->txtID3->hasFocus());

        dlg->cmbType->setCurrentIndex(kOtherUser);
        boxes->clear();
        enterAndLeave(dlg->txtOtherId, "98765", dlg->txtPerson);
        QVERIFY(boxes->texts().isEmpty());
        enterAndLeave(dlg->txtOtherId, "ABCDE", dlg->txtPerson);
        QCOMPARE(boxes->texts(), QStringList{msg(1)});
        enterAndLeave(dlg->txtOtherId, "", dlg->txtPerson);
        QCOMPARE(boxes->texts().size(), 2);
    }

    void okInstallsTheChosenTypeOnly() {
        open("", 7);
        dlg->txtOutstation->setText("11223");
        dlg->cmbPine->setCurrentIndex(2);
        dlg->cmbPineH->setCurrentIndex(1);
        dlg->txtQuery->setText("bad"); // another type's box is not checked
        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(list.LineText(7), std::string("ROBOT 1R2R3 PIN 3 LOW|ZVEI1|1R2R3 P3 LOW|CURRENT|1|"));
        QCOMPARE(d->SpecialData()[7][8], std::string("LOW"));
        QVERIFY(!d->IsModified()); // the 5-tone dialog's OK sets it
    }

    void okChecksTheChosenBoxEvenWhenItWasNeverFocused() {
        open("", 2);
        dlg->cmbType->setCurrentIndex(kNetworkCall);
        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QCOMPARE(boxes->texts(), QStringList{msg(4)});
        QVERIFY(dlg->isVisible());
        QVERIFY(dlg->txtMarnetId->hasFocus());
        QCOMPARE(d->SpecialData()[2][1], std::string(""));
        QTest::keyClicks(dlg->txtMarnetId, "12345");
        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(d->SpecialData()[2][1], std::string("10"));

        open("", 3);
        dlg->cmbType->setCurrentIndex(kReceivedMessage);
        QTest::keyClicks(dlg->txtRmsg, "a|b");
        QCOMPARE(dlg->txtRmsg->text(), QString("ab"));
        dlg->cmbType->setCurrentIndex(kOtherUser);
        dlg->txtOtherId->setText("1234");
        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QCOMPARE(boxes->texts().last(), msg(1));
        QVERIFY(dlg->txtOtherId->hasFocus());
    }

    void emergencyMarksTheChannelGrid() {
        open("12307", 1);
        dlg->cmbType->setCurrentIndex(kEmergency);
        dlg->cmbEmch->setCurrentIndex(15);
        QCOMPARE(dlg->cmbEmch->currentText(), QString("15"));
        dlg->Command1_Click();
        QCOMPARE(d->MFG.TextMatrix(15, 11), std::string("P"));
        QCOMPARE(d->MFG.TextMatrix(15, 4), std::string("EMERGENCY"));
        QCOMPARE(list.Cell(7, 3), std::string("MY RADIO NO 07"));
    }

    void cancelAndEscapeAlwaysClose() {
        open();
        enterAndLeave(dlg->txtOutstation, "12", dlg->txtOutstation);
        dlg->txtOutstation->setFocus();
        QTest::mouseClick(dlg->Command2, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QVERIFY(boxes->texts().isEmpty());
        QCOMPARE(list.LineText(1), std::string(kEmptyToneLine));
        open();
        dlg->txtOutstation->setFocus();
        QTest::keyClicks(dlg->txtOutstation, "zz");
        QTest::keyClick(dlg->txtOutstation, Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
        QVERIFY(boxes->texts().isEmpty());
        QCOMPARE(d->SpecialData()[1][1], std::string(""));
    }

    void screenshotsInBothLanguages() {
        for (const char* lang : {"English", "Chinese"}) {
            QVERIFY(test::LoadToneLanguage(*d, lang));
            for (int type : {kCodeRequest, kOtherUser}) {
                open("12307", 7);
                dlg->cmbType->setCurrentIndex(type);
                dlg->txtOutstation->setFocus();
                QImage img = dlg->grab().toImage();
                std::string file = std::string("frm_special_") + lang + "_type" + std::to_string(type) + ".png";
                QVERIFY(img.save(test::QPath(test::ScreenshotFolder() / file)));
            }
        }
        QCOMPARE(dlg->windowTitle(), QString::fromUtf8("安装特殊呼叫"));
        QCOMPARE(dlg->chkDecReply->text(), QString::fromUtf8("解码回复"));
    }
};

QTEST_MAIN(FrmSpecialTest)
#include "tst_frm_special.moc"
