#include "option_dialog_helpers.h"

#include "common/TextUtil.h"
#include "common/ui/MessageBox.h"
#include "editor/settings/core/OptionLists.h"
#include "editor/settings/core/RadioOptionRecord.h"
#include "editor/settings/ui/Frm_Option.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace vt;
using vt::testing::PickItem;
using vt::testing::RecordingMain;
using vt::testing::TypeOver;

namespace {
// On the box itself: a check box stretched by its layout ignores clicks beside its caption.
void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }
} // namespace

namespace {
const QString kNotNumber = "NOT A NUMBER";
const QString kRange = "RANGE:";
const QString kDefaults = "LOAD DEFAULTS?";

RadioOptionRecord Fields(const std::string& s) { return *RadioOptionRecord::Parse(s); }
} // namespace

class OptionDialogTest : public QObject {
    Q_OBJECT

    ui::ScriptedMessageBox boxes;
    std::unique_ptr<ui::ScopedMessageBox> scope;
    std::unique_ptr<EditorData> data;
    std::unique_ptr<RecordingMain> main;

    std::unique_ptr<Frm_Option> Open(bool show = true) {
        auto dlg = std::make_unique<Frm_Option>(*data);
        if (show) {
            dlg->show();
            dlg->activateWindow();
            if (!QTest::qWaitForWindowActive(dlg.get())) qWarning("dialog not active");
        }
        return dlg;
    }
    void SetRecord(std::initializer_list<std::pair<int, const char*>> changes) {
        RadioOptionRecord r = RadioOptionRecord::Defaults();
        for (auto [f, v] : changes) r[f] = v;
        data->SetRadioOption(r.Join(), RecordWrite::Quiet);
    }

private slots:
    void init() {
        boxes.clear();
        scope = std::make_unique<ui::ScopedMessageBox>(&boxes);
        data = std::make_unique<EditorData>();
        main = std::make_unique<RecordingMain>(*data);
        data->Lang.Set("Foption_Msg", 1, kNotNumber.toStdString());
        data->Lang.Set("Foption_Msg", 2, kRange.toStdString());
        data->Lang.Set("Foption_Msg", 3, kDefaults.toStdString());
        data->Lang.Set("Foption_Interface", 12, "Trunking (lang)");
        data->Lang.Set("Foption_Interface", 14, "Search round (lang)");
    }
    void cleanup() { scope.reset(); }

    void loadPutsTheRecordIntoTheControls() {
        SetRecord({{kOptNumberArea, "2"}, {kOptChInArea, "50"}, {kOptFSoff, "1"}, {kOptScanTCh, "250"},
                   {kOptComboF2, "2"}, {kOptTxtF2, "42"}, {kOptComboF1, "5"}, {kOptComboFunction, "1"},
                   {kOptVolumechange, "0"}, {kOptVolume, "15"}, {kOptHeadDial, "VOLUME"}, {kOptCTsen, "LOW"}});
        auto dlg = Open();
        QCOMPARE(dlg->TxtNumberArea->text(), QString("2"));
        QCOMPARE(dlg->TxtChInArea->text(), QString("50"));
        QVERIFY(dlg->ChkFSoff->isChecked() && !dlg->ChkFSon->isChecked());
        QCOMPARE(dlg->TxtScanTCh->text(), QString("250"));
        QCOMPARE(dlg->ComboF2->currentText(), QString("SELECT CALL"));
        QVERIFY(dlg->TxtF2->isEnabled());
        QCOMPARE(dlg->TxtF2->text(), QString("42"));
        QVERIFY(!dlg->TxtF1->isEnabled());
        QVERIFY(dlg->TxtFunction->isEnabled());
        QVERIFY(dlg->ComboVolume->isVisible());
        QCOMPARE(dlg->ComboVolume->currentText(), QString("16"));
        QVERIFY(!dlg->ComboMuteChange->isVisible());
        QCOMPARE(dlg->ComboHeadDial->currentText(), QString("VOLUME"));
        QCOMPARE(dlg->ComboCTsen->currentText(), QString("LOW"));
        QVERIFY(!dlg->ComboF3->isVisible()); // the fourth key row is never shown
        // An ACS key does not retitle the trunking frame until a key choice changes.
        QCOMPARE(dlg->Frame3->title(), QString("Trunking (lang)"));
        QCOMPARE(dlg->Label11->text(), QString("Search round (lang)"));
        QVERIFY(boxes.texts().isEmpty());
        for (QComboBox* c : dlg->findChildren<QComboBox*>()) QVERIFY(!c->isEditable());
    }

    void numberOfAreasRefusalsAndTheChannelMaximum() {
        auto dlg = Open();
        TypeOver(dlg->TxtNumberArea, "");
        QCOMPARE(boxes.texts(), QStringList{kNotNumber});
        QCOMPARE(dlg->TxtNumberArea->text(), QString("1"));
        QCOMPARE(dlg->TxtNumberArea->selectedText(), QString("1"));
        QCOMPARE(dlg->TxtChInArea->text(), QString("200"));

        boxes.clear();
        TypeOver(dlg->TxtNumberArea, "11");
        QCOMPARE(boxes.texts(), QStringList{kRange + "1 -- 10"});
        QCOMPARE(dlg->TxtNumberArea->text(), QString("1"));
        QCOMPARE(dlg->TxtChInArea->text(), QString("200"));

        boxes.clear();
        TypeOver(dlg->TxtNumberArea, "0");
        QCOMPARE(boxes.texts(), QStringList{kRange + "1 -- 10"});
        QCOMPARE(dlg->TxtNumberArea->text(), QString("1"));

        boxes.clear();
        TypeOver(dlg->TxtNumberArea, "3");
        QCOMPARE(dlg->TxtChInArea->text(), QString("66"));
        TypeOver(dlg->TxtChInArea, "67");
        QCOMPARE(boxes.texts(), QStringList{kRange + "1 -- 66"});
        QCOMPARE(dlg->TxtChInArea->text(), QString("1"));

        boxes.clear();
        TypeOver(dlg->TxtNumberArea, "1.4");
        QVERIFY(boxes.texts().isEmpty());
        QCOMPARE(dlg->TxtNumberArea->text(), QString("1.4"));
        QCOMPARE(dlg->TxtChInArea->text(), QString("200"));
        TypeOver(dlg->TxtChInArea, "05");
        dlg->CommandOK->click();
        RadioOptionRecord r = Fields(data->RadioOption());
        QCOMPARE(r[kOptNumberArea], std::string("1")); // stored as the accepted whole number
        QCOMPARE(r[kOptChInArea], std::string("5"));
    }

    void changeBoxesRefuseAndTakeTheFocusBack_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("reset");
        QTest::newRow("resume") << "TxtResumeSTime" << "26" << kRange + "1 -- 25s" << "5";
        QTest::newRow("ptt") << "TxtPTTTimeout" << "x" << kNotNumber << "120";
        QTest::newRow("ptt range") << "TxtPTTTimeout" << "251" << kRange + "1 -- 250s" << "120";
        QTest::newRow("round") << "TxtRound" << "0" << kRange + "1 -- 9" << "2";
        QTest::newRow("function") << "TxtFunction" << "101" << kRange + "1 -- 100" << "1";
        QTest::newRow("key 99999") << "TxtF4" << "99999" << kRange + "1 -- 100" << "1";
        QTest::newRow("key 40000") << "TxtF1" << "40000" << kRange + "1 -- 100" << "1";
        QTest::newRow("empty") << "TxtRound" << "" << kNotNumber << "2";
    }
    void changeBoxesRefuseAndTakeTheFocusBack() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, reset);
        auto dlg = Open();
        auto* edit = dlg->findChild<QLineEdit*>(box);
        QVERIFY(edit);
        edit->setEnabled(true);
        edit->setFocus();
        edit->selectAll();
        edit->insert(typed); // pasted as a whole
        QVERIFY(boxes.texts().contains(message));
        QCOMPARE(edit->text(), reset);
        QVERIFY(edit->hasFocus());
        QCOMPARE(dlg->OptionEditError, 0); // only boxes checked on leaving block the buttons
    }

    void leaveBoxesRoundDownOrRefuse_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("scan rounds") << "TxtScanTCh" << "155" << "150" << "";
        QTest::newRow("scan low") << "TxtScanTCh" << "45" << "100" << kRange + "50 -- 900ms";
        QTest::newRow("scan text") << "TxtScanTCh" << "a" << "100" << kNotNumber;
        QTest::newRow("repeater") << "TxtRepeater" << "999" << "900" << "";
        QTest::newRow("repeater low") << "TxtRepeater" << "99" << "1000" << kRange + "100 -- 5000ms";
        QTest::newRow("preamble") << "TxtCallPtime" << "2499" << "2490" << "";
        QTest::newRow("preamble high") << "TxtCallPtime" << "2510" << "1000" << kRange + "10 -- 2500ms";
        QTest::newRow("ani") << "TxtPTTLANI" << "15" << "10" << "";
        QTest::newRow("answer") << "TxtWaitAnswer" << "" << "500" << kNotNumber;
    }
    void leaveBoxesRoundDownOrRefuse() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QFETCH(QString, message);
        auto dlg = Open();
        auto* edit = dlg->findChild<QLineEdit*>(box);
        TypeOver(edit, typed);
        QVERIFY(boxes.texts().isEmpty()); // nothing checked while typing
        QTest::keyClick(edit, Qt::Key_Tab);
        QCoreApplication::processEvents(); // the message follows the focus change
        QCOMPARE(edit->text(), result);
        if (message.isEmpty()) {
            QVERIFY(boxes.texts().isEmpty());
            QVERIFY(!edit->hasFocus());
            QCOMPARE(dlg->OptionEditError, 0);
        } else {
            QCOMPARE(boxes.texts(), QStringList{message});
            QVERIFY(edit->hasFocus());
            QCOMPARE(edit->selectedText(), result);
            QCOMPARE(dlg->OptionEditError, 1);
        }
    }

    void refusedLeaveBoxBlocksOkCancelAndDefaults() {
        const std::string before = data->RadioOption();
        auto dlg = Open();
        TypeOver(dlg->TxtNumberArea, "4"); // Defaults would put "1" back
        TypeOver(dlg->TxtScanTCh, "45");
        QTest::keyClick(dlg->TxtScanTCh, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(dlg->OptionEditError, 1);
        dlg->CommandOK_Click();
        dlg->CommandCANCEL_Click();
        QVERIFY(dlg->isVisible());
        boxes.clear();
        boxes.answer(ui::MsgResult::Ok);
        dlg->CommandDefault_Click();
        QCOMPARE(boxes.texts(), QStringList{kDefaults}); // asked, then nothing follows
        QCOMPARE(dlg->TxtNumberArea->text(), QString("4"));
        QCOMPARE(data->RadioOption(), before);
        QVERIFY(main->calls.empty());
        // Leaving the box with its valid reset value frees the buttons again.
        dlg->TxtScanTCh->setFocus();
        QTest::mouseClick(dlg->CommandCANCEL, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(data->RadioOption(), before);
    }

    void enterOnOkChecksTheBoxBeingTyped() {
        const std::string before = data->RadioOption();
        auto dlg = Open();
        TypeOver(dlg->TxtWaitAnswer, "5");
        QTest::keyClick(dlg->TxtWaitAnswer, Qt::Key_Return);
        QCOMPARE(boxes.texts(), QStringList{kRange + "10 -- 2500ms"});
        QVERIFY(dlg->isVisible());
        QCOMPARE(data->RadioOption(), before);
        QCOMPARE(dlg->TxtWaitAnswer->text(), QString("500"));

        TypeOver(dlg->TxtWaitAnswer, "1234"); // a new accepted text frees OK again
        QTest::keyClick(dlg->TxtWaitAnswer, Qt::Key_Return);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(Fields(data->RadioOption())[kOptWaitAnswer], std::string("1230"));
    }

    void forceScanBoxesExcludeEachOther() {
        auto dlg = Open();
        ClickBox(dlg->ChkFSoff);
        QVERIFY(dlg->ChkFSoff->isChecked());
        ClickBox(dlg->ChkFSon);
        QVERIFY(dlg->ChkFSon->isChecked());
        QVERIFY(!dlg->ChkFSoff->isChecked());
        ClickBox(dlg->ChkFSon);
        QVERIFY(!dlg->ChkFSon->isChecked() && !dlg->ChkFSoff->isChecked());
        // A record with both set is made consistent while it loads: the later field wins.
        SetRecord({{kOptFSon, "1"}, {kOptFSoff, "1"}});
        auto again = Open();
        QVERIFY(!again->ChkFSon->isChecked() && again->ChkFSoff->isChecked());
    }

    void levelListsFollowTheirAllowBoxes() {
        auto dlg = Open();
        QVERIFY(!dlg->ComboVolume->isVisible());
        ClickBox(dlg->ChkVolumechange);
        QVERIFY(dlg->ComboVolume->isVisible());
        PickItem(dlg->ComboVolume, 9);
        ClickBox(dlg->ChkVolumechange);
        QVERIFY(!dlg->ComboVolume->isVisible());
        ClickBox(dlg->ChkMutechange);
        QVERIFY(dlg->ComboMuteChange->isVisible());
        dlg->CommandOK->click();
        RadioOptionRecord r = Fields(data->RadioOption());
        QCOMPARE(r[kOptVolumechange], std::string("1"));
        QCOMPARE(r[kOptVolume], std::string("9")); // hidden, still stored
        QCOMPARE(r[kOptMutechange], std::string("0"));
        QCOMPARE(r[kOptMuteChange], std::string("12"));
    }

    void keyChoicesThroughTheLists() {
        auto dlg = Open();
        PickItem(dlg->ComboF4, OptionLists::kKeyAcs);
        QCOMPARE(dlg->Frame3->title(), QString("ACS"));
        QCOMPARE(dlg->Label11->text(), QString("ACS Search round"));
        PickItem(dlg->ComboF2, OptionLists::kKeyTrunk);
        QCOMPARE(dlg->ComboF4->currentText(), QString("TRUNK"));
        QCOMPARE(dlg->Frame3->title(), QString("TRUNK"));
        QCOMPARE(dlg->Label11->text(), QString("Search round"));
        PickItem(dlg->ComboF1, OptionLists::kKeySelectCall);
        QVERIFY(dlg->TxtF1->isEnabled());
        PickItem(dlg->ComboF1, OptionLists::kKeyAcs); // keeps the box as it was
        QVERIFY(dlg->TxtF1->isEnabled());
        QCOMPARE(dlg->ComboF2->currentText(), QString("ACS"));
        QCOMPARE(dlg->ComboF4->currentText(), QString("ACS"));
        PickItem(dlg->ComboF1, OptionLists::kKeyFree);
        QVERIFY(!dlg->TxtF1->isEnabled());
        PickItem(dlg->ComboFunction, 1);
        QVERIFY(dlg->TxtFunction->isEnabled());
        PickItem(dlg->ComboFunction, 0);
        QVERIFY(!dlg->TxtFunction->isEnabled());

        // The keyboard runs the same rule.
        dlg->ComboF2->setFocus();
        for (int i = 0; i < 3; ++i) QTest::keyClick(dlg->ComboF2, Qt::Key_Up); // ACS -> SELECT CALL
        QCOMPARE(dlg->ComboF2->currentText(), QString("SELECT CALL"));
        QVERIFY(dlg->TxtF2->isEnabled());
        QCOMPARE(dlg->ComboF4->currentText(), QString("TRUNK")); // passed TRUNK on the way
    }

    void storedAcsAndTrunkResolveInFieldOrder() {
        // Hidden fourth key (field 18) holds TRUNK, the first-row key (field 20) ACS: ACS wins.
        SetRecord({{kOptComboF3, "4"}, {kOptComboF4, "5"}});
        auto dlg = Open();
        QCOMPARE(dlg->ComboF3->currentText(), QString("ACS"));
        QCOMPARE(dlg->ComboF4->currentText(), QString("ACS"));
        dlg->CommandOK->click();
        RadioOptionRecord r = Fields(data->RadioOption());
        QVERIFY(TrunkModesExclusive(r));
        QCOMPARE(r[kOptComboF3], std::string("5"));
    }

    void defaultsWithCancelAndWithOk() {
        SetRecord({{kOptNumberArea, "5"}, {kOptChInArea, "40"}, {kOptRound, "7"}, {kOptComboF1, "3"}});
        const std::string before = data->RadioOption();
        auto dlg = Open();
        boxes.answer(ui::MsgResult::Cancel);
        QTest::mouseClick(dlg->CommandDefault, Qt::LeftButton);
        QCOMPARE(boxes.texts(), QStringList{kDefaults});
        QCOMPARE(dlg->TxtNumberArea->text(), QString("5"));
        QCOMPARE(dlg->TxtRound->text(), QString("7"));

        boxes.answer(ui::MsgResult::Ok);
        QTest::mouseClick(dlg->CommandDefault, Qt::LeftButton);
        QCOMPARE(dlg->TxtNumberArea->text(), QString("1"));
        QCOMPARE(dlg->TxtChInArea->text(), QString("200"));
        QCOMPARE(dlg->TxtRound->text(), QString("2"));
        QCOMPARE(dlg->ComboF1->currentText(), QString("MENU"));
        QCOMPARE(data->RadioOption(), before); // nothing stored until OK
        QTest::mouseClick(dlg->CommandCANCEL, Qt::LeftButton);
        QCOMPARE(data->RadioOption(), before);
        QVERIFY(!data->IsModified());
        QVERIFY(main->calls.empty());

        auto again = Open();
        boxes.answer(ui::MsgResult::Ok);
        QTest::mouseClick(again->CommandDefault, Qt::LeftButton);
        QTest::mouseClick(again->CommandOK, Qt::LeftButton);
        QCOMPARE(data->RadioOption(), std::string(kDefaultRadioOption));
    }

    void okStoresAndCallsTheMainWindowInOrder() {
        // A second receiver set up before; channel 70 flagged trunk and priority twice.
        const int oldLast = data->MFG.Rows() - 1;
        data->SetCell(oldLast, 1, "55.5", RecordWrite::Quiet);
        data->SetCell(oldLast, 2, "56.5", RecordWrite::Quiet);
        data->SetCell(20, 10, "TP", RecordWrite::Quiet);
        data->SetCell(21, 10, "P", RecordWrite::Quiet);
        auto dlg = Open();
        TypeOver(dlg->TxtNumberArea, "3");
        QTest::mouseClick(dlg->CommandOK, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(main->calls, (std::vector<std::string>{"UpdateScan", "AdjustArea_Marnet", "ValidateP", "ValidateT",
                                                        "UpdateAreaNo"}));
        QCOMPARE(main->optionSeenFirst, data->RadioOption()); // stored before the callbacks
        QVERIFY(data->IsModified());
        RadioOptionRecord r = Fields(data->RadioOption());
        QCOMPARE(r[kOptNumberArea], std::string("3"));
        QCOMPARE(r[kOptChInArea], std::string("66"));
        QCOMPARE(data->MFG.Rows(), 3 * 66 + 2);
        const int last = data->MFG.Rows() - 1;
        QCOMPARE(data->MFG.TextMatrix(last, 0), std::string("201"));
        QCOMPARE(data->MFG.TextMatrix(last, 1), std::string("55.5"));
        QCOMPARE(data->MFG.TextMatrix(last, 2), std::string("56.5"));
        QCOMPARE(data->MFG.TextMatrix(last, 3), std::string("SECOND"));
        QVERIFY(data->MFG.TextMatrix(66, 0).find("Area:1") != std::string::npos);
        QVERIFY(data->MFG.TextMatrix(67, 0).find("Area:2") != std::string::npos);
        QCOMPARE(data->MFG.TextMatrix(20, 10), std::string("P")); // trunk only in an area's first 16
        QCOMPARE(data->MFG.TextMatrix(21, 10), std::string(""));  // one priority per area
    }

    void okAfterMakingAKeyAcsSwitchesTheScanLetters() {
        data->SetCell(3, 10, "TS", RecordWrite::Quiet);
        auto dlg = Open();
        PickItem(dlg->ComboF2, OptionLists::kKeyAcs);
        QTest::mouseClick(dlg->CommandOK, Qt::LeftButton);
        QCOMPARE(Fields(data->RadioOption())[kOptComboF2], std::string("5"));
        QCOMPARE(data->ScanChoices, (std::vector<std::string>{"NO", "A", "S", "P", "AS", "AP"}));
        QCOMPARE(data->MFG.TextMatrix(3, 10), std::string("AS"));
    }

    void cancelChangesNothing() {
        const std::string before = data->RadioOption();
        auto dlg = Open();
        TypeOver(dlg->TxtNumberArea, "2");
        ClickBox(dlg->ChkBeep);
        PickItem(dlg->ComboF1, OptionLists::kKeyAcs);
        QTest::mouseClick(dlg->CommandCANCEL, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(data->RadioOption(), before);
        QVERIFY(!data->IsModified());
        QVERIFY(main->calls.empty());
    }

    void validRecordComesBackAsItWas() {
        SetRecord({{kOptNumberArea, "4"}, {kOptChInArea, "50"}, {kOptDefaultChannel, "123"},
                   {kOptDefaultArea, "3"}, {kOptComboF1, "2"}, {kOptTxtF1, "77"}, {kOptMutechange, "0"},
                   {kOptMuteChange, "15"}, {kOptHeadDial, "VOLUME"}});
        const std::string before = data->RadioOption();
        auto dlg = Open();
        QTest::mouseClick(dlg->CommandOK, Qt::LeftButton);
        QCOMPARE(data->RadioOption(), before);
        QCOMPARE(main->calls.size(), size_t(5));
        QVERIFY(data->IsModified());
    }

    void defaultChannelAndAreaAreCarriedWithinTheNewCounts() {
        SetRecord({{kOptNumberArea, "10"}, {kOptChInArea, "20"}, {kOptDefaultChannel, "150"},
                   {kOptDefaultArea, "7"}});
        auto dlg = Open();
        TypeOver(dlg->TxtNumberArea, "2");
        TypeOver(dlg->TxtChInArea, "10");
        QTest::mouseClick(dlg->CommandOK, Qt::LeftButton);
        RadioOptionRecord r = Fields(data->RadioOption());
        QCOMPARE(r[kOptDefaultChannel], std::string("19"));
        QCOMPARE(r[kOptDefaultArea], std::string("1"));
    }

    void brokenRecordsOpenSafely() {
        // Not 39 fields: the designer state, and 36 and 38 start from "0".
        data->SetRadioOption("3|66|junk", RecordWrite::Quiet);
        auto dlg = Open();
        QCOMPARE(dlg->TxtNumberArea->text(), QString("1"));
        QCOMPARE(dlg->TxtF3->text(), QString("1"));
        QVERIFY(boxes.texts().isEmpty());
        QTest::mouseClick(dlg->CommandOK, Qt::LeftButton);
        RadioOptionRecord r = Fields(data->RadioOption());
        RadioOptionRecord designer = RadioOptionRecord::Designer();
        QCOMPARE(r.Join(), designer.Join());

        // Values outside their lists select the field's default item; a bad number is reported.
        SetRecord({{kOptComboF2, "9"}, {kOptComboF4, "-1"}, {kOptComboFunction, "x"}, {kOptVolume, "40"},
                   {kOptHeadDial, "DIAL"}, {kOptCTsen, ""}, {kOptBeep, "7"}, {kOptRound, "12"}});
        boxes.clear();
        auto bad = Open(false);
        QCOMPARE(bad->ComboF2->currentText(), QString("NONE"));
        QCOMPARE(bad->ComboF4->currentText(), QString("EMERGENCY"));
        QCOMPARE(bad->ComboFunction->currentText(), QString("EMERGENCY"));
        QCOMPARE(bad->ComboVolume->currentText(), QString("2"));
        QCOMPARE(bad->ComboHeadDial->currentText(), QString("CHANNEL"));
        QCOMPARE(bad->ComboCTsen->currentText(), QString("HIGH"));
        QVERIFY(!bad->ChkBeep->isChecked());
        QCOMPARE(boxes.texts(), QStringList{kRange + "1 -- 9"});
        QCOMPARE(bad->TxtRound->text(), QString("2"));
        bad->CommandOK_Click();
        r = Fields(data->RadioOption());
        for (int f = 0; f < kOptionFieldCount; ++f) QVERIFY2(FieldValid(r, f), std::to_string(f).c_str());
    }

    void stepOffValuesFromAFileAreRoundedOnOk() {
        SetRecord({{kOptScanTCh, "155"}, {kOptRepeater, "40"}});
        auto dlg = Open(false);
        dlg->CommandOK_Click(); // the repeater time is refused: nothing stored
        QCOMPARE(boxes.texts(), QStringList{kRange + "100 -- 5000ms"});
        QVERIFY(main->calls.empty());
        QCOMPARE(dlg->TxtScanTCh->text(), QString("150"));
        dlg->CommandOK_Click();
        QCOMPARE(dlg->OptionEditError, 1); // until the box is left with its reset value
        QVERIFY(main->calls.empty());
    }

    void hiddenLoadGivesTheListsForTheReport() {
        auto dlg = Open(false);
        QCOMPARE(dlg->ComboF1->count(), 8);
        QCOMPARE(dlg->ComboF1->itemText(5), QString("ACS"));
        QCOMPARE(dlg->ComboFunction->itemText(1), QString("SELECT CALL"));
    }
};

QTEST_MAIN(OptionDialogTest)
#include "tst_option_dialog.moc"
