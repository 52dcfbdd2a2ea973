#include "common/TextUtil.h"
#include "common/ui/MessageBox.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/ui/Frm_5Tone.h"
#include "editor/settings/ui/Frm_Special.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "helpers/tone_test_support.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/DialogAnswers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

using namespace vt;

class Frm5ToneTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ui::ScriptedMessageBox> boxes;
    std::unique_ptr<ui::ScopedMessageBox> scope;
    std::unique_ptr<EditorData> d;
    std::unique_ptr<Frm_5Tone> dlg;

    void open() {
        dlg = std::make_unique<Frm_5Tone>(*d);
        dlg->show();
        dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
    }
    QString msg(int entry) const { return QString::fromStdString(d->Lang.Get("Ftone_Msg", entry)); }
    std::string cell(int r, int c) const { return dlg->List().Cell(r, c); }
    void clickCell(int row, int col) {
        QTableView* v = dlg->MFG5Tone;
        QModelIndex i = v->model()->index(row - 1, col - 1);
        v->scrollTo(i);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(i).center());
    }
    void type(QWidget* editor, const QString& text) {
        QVERIFY(editor->isVisible());
        QVERIFY(editor->hasFocus());
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    // Runs fn on the special-call dialog once it is up (it is modal: exec blocks until it closes).
    void withSpecialDialog(std::function<void(Frm_Special*)> fn) {
        QTimer::singleShot(0, this, [fn] {
            auto* s = qobject_cast<Frm_Special*>(QApplication::activeModalWidget());
            QVERIFY(s);
            fn(s);
            if (s->isVisible()) s->reject();
        });
    }

private slots:
    void init() {
        boxes = std::make_unique<ui::ScriptedMessageBox>();
        scope = std::make_unique<ui::ScopedMessageBox>(boxes.get());
        d = std::make_unique<EditorData>();
        QVERIFY(test::LoadToneLanguage(*d, "English"));
        open();
    }
    void cleanup() {
        dlg.reset();
        scope.reset();
        boxes.reset();
    }

    void opensWithTheRecordsAndTheLanguageTexts() {
        QCOMPARE(dlg->windowTitle(), QString("5Tone"));
        QCOMPARE(dlg->Label1->text(), QString("Own 5Tone (or MARNET) ID:"));
        QCOMPARE(dlg->ComboToneSet->currentText(), QString("ZVEI1"));
        QCOMPARE(dlg->ComboBlow->currentText(), QString("5"));
        QVERIFY(dlg->ChkPGcall->isChecked() && dlg->ChkHooker->isChecked() && dlg->ChkSpeaker->isChecked());
        QCOMPARE(dlg->MFG5Tone->model()->headerData(2, Qt::Horizontal).toString(), QString("INDENTIFICATION"));
        QVERIFY(!dlg->txtCallTone->isVisible());
        QVERIFY(!dlg->LstToneSet->isVisible());
    }

    void callToneEditorCommitsOnEnterAndRefusesBadTones() {
        clickCell(4, 1);
        QCOMPARE(dlg->ToneTip->text().toStdString(), d->Lang.Get("Ftone_Tip", 7));
        type(dlg->txtCallTone, "12a45");
        QCOMPARE(cell(4, 1), std::string("CALL 12A45"));
        QCOMPARE(dlg->List().LineText(4), std::string("CALL 12A45|ZVEI1|NUMBER 4|CURRENT|1|"));
        QCOMPARE(d->SpecialData()[4][1], std::string("0"));
        QVERIFY(!dlg->txtCallTone->isVisible());
        QVERIFY(boxes->texts().isEmpty());

        clickCell(4, 1);
        QCOMPARE(dlg->txtCallTone->text(), QString("12A45")); // without the "CALL " prefix
        dlg->txtCallTone->clear();
        type(dlg->txtCallTone, "12r45");
        QCOMPARE(boxes->texts(), QStringList{msg(1)});
        QCOMPARE(cell(4, 1), std::string("CALL 12A45"));
        // The refused editor stays, empty, with the focus; left empty it closes unchanged.
        QVERIFY(dlg->txtCallTone->isVisible());
        QCOMPARE(dlg->txtCallTone->text(), QString(""));
        QTRY_VERIFY(dlg->txtCallTone->hasFocus());
        QTest::keyClick(dlg->txtCallTone, Qt::Key_Return);
        QVERIFY(!dlg->txtCallTone->isVisible());
        QCOMPARE(cell(4, 1), std::string("CALL 12A45"));
        QCOMPARE(boxes->texts().size(), 1);
    }

    void refusedChannelKeepsItsEditorOpenEmptyAndFocused() {
        clickCell(5, 4);
        type(dlg->txtChannel, "current");
        QCOMPARE(boxes->texts(), QStringList{msg(1)});
        QCOMPARE(cell(5, 4), std::string(""));
        QVERIFY(dlg->txtChannel->isVisible());
        QCOMPARE(dlg->txtChannel->text(), QString(""));
        QTRY_VERIFY(dlg->txtChannel->hasFocus());
        // Out of range: refused without a word, the same way.
        type(dlg->txtChannel, "201");
        QCOMPARE(boxes->texts().size(), 1);
        QVERIFY(dlg->txtChannel->isVisible());
        QCOMPARE(dlg->txtChannel->text(), QString(""));
        QTRY_VERIFY(dlg->txtChannel->hasFocus());
        // A click elsewhere that refuses the entry goes no further: OK does not close.
        QTest::keyClicks(dlg->txtChannel, "0");
        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QVERIFY(dlg->isVisible());
        QVERIFY(dlg->txtChannel->isVisible());
        QTRY_VERIFY(dlg->txtChannel->hasFocus());
        type(dlg->txtChannel, "12.9");
        QCOMPARE(cell(5, 4), std::string("12"));
        QVERIFY(!dlg->txtChannel->isVisible());
    }

    void leavingAnEditorByClickingAnotherCellCommitsIt() {
        clickCell(3, 4);
        QTest::keyClicks(dlg->txtChannel, "c");
        clickCell(3, 6);
        QCOMPARE(cell(3, 4), std::string("CURRENT"));
        QVERIFY(dlg->txtEmerg->isVisible());
        QTest::keyClicks(dlg->txtEmerg, "11");
        clickCell(3, 3);
        QCOMPARE(boxes->texts(), QStringList{msg(2)});
        QCOMPARE(cell(3, 6), std::string(""));
        // The refused number keeps its editor; the next click leaves it empty and moves on.
        QVERIFY(!dlg->txtIdentify->isVisible());
        QTRY_VERIFY(dlg->txtEmerg->hasFocus());
        clickCell(3, 3);
        QVERIFY(!dlg->txtEmerg->isVisible());
        QVERIFY(dlg->txtIdentify->isVisible());
        QCOMPARE(dlg->txtIdentify->text(), QString(""));
        QTest::keyClicks(dlg->txtIdentify, "A|B"); // "|" is refused as it is typed
        QTest::keyClick(dlg->txtIdentify, Qt::Key_Return);
        QCOMPARE(cell(3, 3), std::string("AB"));
    }

    void everyColumnShowsWholeAndAClickedCellKeepsItsEditor() {
        QTableView* v = dlg->MFG5Tone;
        const int room = v->viewport()->width();
        for (int c = 0; c < 6; ++c) {
            const QRect r = v->visualRect(v->model()->index(0, c));
            QVERIFY2(r.left() >= 0 && r.right() < room, qPrintable(QString("column %1").arg(c + 1)));
        }
        QCOMPARE(v->horizontalScrollBar()->maximum(), 0);
        QVERIFY(v->horizontalHeader()->sectionSize(5) >= QFontMetrics(v->horizontalHeader()->font()).horizontalAdvance("EMERGENCY"));
        // A click as a user makes it: on the visible part of the cell, no scrolling beforehand;
        // the view's own delayed scroll must not take the editor away.
        auto clickAsIs = [&](int row, int col) {
            const QRect r = v->visualRect(v->model()->index(row - 1, col - 1)).intersected(v->viewport()->rect());
            QVERIFY(!r.isEmpty());
            QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
            QTest::qWait(QApplication::doubleClickInterval() + 300);
        };
        clickAsIs(2, 6);
        type(dlg->txtEmerg, "3");
        QCOMPARE(cell(2, 6), std::string("3"));
        // The last, partly hidden row scrolls into view before its editor opens.
        int row = v->rowAt(v->viewport()->height() - 2) + 1;
        QVERIFY(v->visualRect(v->model()->index(row - 1, 3)).bottom() >= v->viewport()->height());
        clickAsIs(row, 4);
        QVERIFY(dlg->txtChannel->isVisible());
        QCOMPARE(dlg->txtChannel->geometry().topLeft(),
                 v->viewport()->mapTo(dlg->Frame2, v->visualRect(v->model()->index(row - 1, 3)).topLeft()));
        type(dlg->txtChannel, "12");
        QCOMPARE(cell(row, 4), std::string("12"));
        QCOMPARE(cell(row - 1, 4), std::string(""));
    }

    // A clicked column's header is drawn bold; each is read whole, in either language.
    void currentColumnHeadersAreReadWholeInBold_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "English";
        QTest::newRow("Chinese") << "Chinese";
    }
    void currentColumnHeadersAreReadWholeInBold() {
        QFETCH(QString, language);
        dlg.reset();
        QVERIFY(test::LoadToneLanguage(*d, language.toStdString()));
        open();
        QHeaderView* h = dlg->MFG5Tone->horizontalHeader();
        QFont bold = h->font();
        bold.setBold(true);
        const int margin = h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
        for (int col = 1; col <= 6; ++col) {
            clickCell(2, col);
            QCOMPARE(dlg->MFG5Tone->currentIndex().column(), col - 1);
            const QString text = h->model()->headerData(col - 1, Qt::Horizontal).toString();
            QVERIFY2(QFontMetrics(bold).horizontalAdvance(text) + 2 * margin <= h->sectionSize(col - 1), qPrintable(text));
        }
        QCOMPARE(dlg->MFG5Tone->horizontalScrollBar()->maximum(), 0);
    }

    void farmcallValuesStayInsideTheirFrame() {
        QStyleOptionGroupBox opt;
        opt.initFrom(dlg->Frame1);
        const QRect inner =
            dlg->Frame1->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxContents, dlg->Frame1);
        for (QLabel* l : {dlg->lbFarmcall, dlg->lbRing, dlg->lbMarnet, dlg->lbFarmchannel}) {
            QVERIFY2(l->geometry().right() < inner.right(), qPrintable(l->objectName()));
            QVERIFY(l->width() >= QFontMetrics(l->font()).horizontalAdvance("150.0000"));
        }
    }

    void emergencyNumbersChainThroughTheGrid() {
        dlg->List().SetCell(7, 6, "5");
        dlg->List().SetCell(9, 6, "6");
        clickCell(3, 6);
        type(dlg->txtEmerg, "5");
        QCOMPARE(cell(3, 6), std::string("5"));
        QCOMPARE(cell(7, 6), std::string("6"));
        QCOMPARE(cell(9, 6), std::string("7"));
        QCOMPARE(dlg->MFG5Tone->model()->index(8, 5).data().toString(), QString("7"));
    }

    // What the help line says as the user reaches each control and column, in both shipped files:
    // each text must be about the thing reached (a text one place off names its neighbour).
    void helpLineIsAboutWhatTheUserReaches() {
        struct Reach {
            const char* target; // a control's name, "col<n>" for a click on row 3, or "special"
            const char* english;
            const char* chinese;
        };
        const Reach table[] = {
            {"TxtID", "Own 5-tone ID", "本机五音 ID"},
            {"ComboToneSet", "tone set of the own ID", "本机 ID 所用的音组"},
            {"ChkPGcall", "group call", "组呼"},
            {"ChkHooker", "on the hook", "挂机"},
            {"ComboBlow", "alert tones", "提示音的次数"},
            {"ChkSpeaker", "loudspeaker", "扬声器"},
            {"col1", "call tones", "呼叫音码"},
            {"col2", "over a tone set", "音组上"},
            {"col3", "name for this call line", "名称"},
            {"col4", "Channel 1 to 200", "信道 1 到 200"},
            {"col5", "call is tried", "尝试次数"},
            {"col6", "Emergency order", "紧急序号"},
            {"special", "special call", "特殊呼叫"},
        };
        d->SetSpecialField(5, 1, "3", RecordWrite::Quiet);
        d->SetFiveToneLine(5, "ROBOT 12345 ALARM|ZVEI1|ALARM|CURRENT|1|", RecordWrite::Quiet);
        for (const char* lang : {"English", "Chinese"}) {
            QVERIFY(test::LoadToneLanguage(*d, lang));
            dlg.reset();
            open();
            for (const Reach& r : table) {
                const QString target = r.target;
                if (target.startsWith("col")) {
                    clickCell(3, target.mid(3).toInt());
                } else if (target == "special") {
                    clickCell(5, 1);
                } else if (auto* combo = dlg->findChild<QComboBox*>(target)) {
                    // By the keyboard: Tab from the own ID box until the list has the focus.
                    QTest::mouseClick(dlg->TxtID, Qt::LeftButton);
                    for (int i = 0; i < 20 && !combo->hasFocus(); ++i)
                        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                    QVERIFY2(combo->hasFocus(), r.target);
                } else {
                    QWidget* w = dlg->findChild<QWidget*>(target);
                    QVERIFY2(w, r.target);
                    QTest::mouseMove(w);
                }
                const QString want = QString::fromUtf8(std::string(lang) == "English" ? r.english : r.chinese);
                QVERIFY2(dlg->ToneTip->text().contains(want, Qt::CaseInsensitive),
                         qPrintable(QString("%1, %2: \"%3\"").arg(lang, target, dlg->ToneTip->text())));
            }
        }
    }

    void triesAndToneSetLists() {
        clickCell(2, 5);
        QVERIFY(dlg->cmbTries->isVisible());
        QVERIFY(!dlg->cmbTries->isEditable());
        dlg->cmbTries->setCurrentIndex(6);
        clickCell(2, 2);
        QCOMPARE(cell(2, 5), std::string("7"));
        QVERIFY(dlg->LstToneSet->isVisible());
        QListWidget* l = dlg->LstToneSet;
        QTest::mouseMove(l->viewport(), l->visualItemRect(l->item(4)).center());
        QVERIFY(dlg->ToneTip->text().startsWith("EEA"));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(4)).center());
        QCOMPARE(cell(2, 2), std::string("EEA"));
        QVERIFY(!l->isVisible());
        clickCell(2, 2);
        QVERIFY(l->isVisible());
        clickCell(2, 3);
        QVERIFY(!l->isVisible()); // another column hides the list
    }

    void doubleClickClearsASpecialLineAfterAsking() {
        d->SetSpecialField(5, 1, "3", RecordWrite::Quiet);
        d->SetSpecialField(5, 10, "12345", RecordWrite::Quiet);
        dlg->List().SetCell(5, 1, "ROBOT 12345 ALARM");
        dlg->List().SetCell(5, 6, "2");
        clickCell(5, 1);
        QVERIFY(!dlg->txtCallTone->isVisible()); // a special line has no call-tone editor
        QCOMPARE(dlg->ToneTip->text().toStdString(), d->Lang.Get("Ftone_Tip", 13));
        boxes->answer(ui::MsgResult::Cancel);
        QTest::mouseDClick(dlg->MFG5Tone->viewport(), Qt::LeftButton, {},
                           dlg->MFG5Tone->visualRect(dlg->MFG5Tone->model()->index(4, 0)).center());
        QCOMPARE(boxes->texts(), QStringList{msg(4)});
        QCOMPARE(d->SpecialData()[5][1], std::string("3"));
        dlg->MFG5Tone_DblClick(5, 1);
        QCOMPARE(dlg->List().LineText(5), std::string("|||||2"));
        QCOMPARE(d->SpecialData()[5][1], std::string("0"));
        QCOMPARE(d->SpecialData()[5][10], std::string(""));
        boxes->clear();
        dlg->MFG5Tone_DblClick(5, 1); // now a plain line: nothing to ask
        QVERIFY(boxes->texts().isEmpty());
    }

    void doubleClickOnAnEmptyLineAfterNewAsksToo() {
        // The first click opens the editor on the empty cell; the second lands on the editor.
        clickCell(6, 1);
        QVERIFY(dlg->txtCallTone->isVisible());
        QTest::mouseDClick(dlg->txtCallTone, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(boxes->texts(), QStringList{msg(4)});
        QCOMPARE(d->SpecialData()[6][1], std::string("0"));
    }

    void ownIdIsUpperCasedAndCheckedAgainAtOk() {
        dlg->TxtID->setFocus();
        QTest::keyClicks(dlg->TxtID, "1a2");
        dlg->ComboBlow->setFocus();
        QCOMPARE(dlg->TxtID->text(), QString("1A2"));
        QCOMPARE(dlg->ToneTip->text().toStdString(), d->Lang.Get("Ftone_Tip", 5));
        // A refused ID takes the focus back with its text selected, whether left by Tab or by a
        // click on the list (which opens no editor): the next keys replace it.
        dlg->TxtID->setFocus();
        dlg->TxtID->setText("12X");
        QTest::keyClick(dlg->TxtID, Qt::Key_Tab);
        QCOMPARE(boxes->texts(), QStringList{msg(1)});
        QTRY_VERIFY(dlg->TxtID->hasFocus());
        QCOMPARE(dlg->TxtID->selectedText(), QString("12X"));
        clickCell(2, 3);
        QCOMPARE(boxes->texts().size(), 2);
        QTRY_VERIFY(dlg->TxtID->hasFocus());
        QVERIFY(!dlg->txtIdentify->isVisible());
        QTest::keyClicks(dlg->TxtID, "12A");
        QTest::keyClick(dlg->TxtID, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QVERIFY(!dlg->TxtID->hasFocus());
        QCOMPARE(boxes->texts().size(), 2);
        dlg->TxtID->setText("12X");
        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QCOMPARE(boxes->texts().size(), 3);
        QVERIFY(dlg->isVisible());
        QCOMPARE(d->FiveToneInfo(), std::string(kDefaultFiveToneInfo));
        dlg->TxtID->setText("12345");
        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(d->FiveToneInfo(), std::string("12345|1|1|1|5|1"));
        QVERIFY(d->IsModified());
        QVERIFY(!d->PendingFiveTone);
    }

    void okStoresTheGridAndTheSettings() {
        dlg->ComboToneSet->setCurrentIndex(3);
        dlg->ChkHooker->setChecked(false);
        dlg->ComboBlow->setCurrentIndex(9);
        clickCell(1, 1);
        type(dlg->txtCallTone, "777");
        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QCOMPARE(d->FiveToneInfo(), std::string("|3|1|0|10|1"));
        QCOMPARE(d->FiveToneChannels()[1], std::string("CALL 777|ZVEI1|NUMBER 1|CURRENT|1|"));
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
    }

    // A check box left for a grid cell stays where it is and goes on taking clicks.
    void checkBoxesStayUsableAfterAGridClick_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("field");
        QTest::newRow("Page On Group Call") << "ChkPGcall" << 2;
        QTest::newRow("Page Using Hooker") << "ChkHooker" << 3;
        QTest::newRow("Page Using Speaker") << "ChkSpeaker" << 5;
    }
    void checkBoxesStayUsableAfterAGridClick() {
        QFETCH(QString, box);
        QFETCH(int, field);
        auto* chk = dlg->findChild<QCheckBox*>(box);
        QVERIFY(chk && chk->isChecked());
        auto click = [chk] { QTest::mouseClick(chk, Qt::LeftButton, {}, QPoint(8, chk->height() / 2)); };
        for (bool checked : {false, true, false}) {
            click();
            QCOMPARE(chk->isChecked(), checked);
            clickCell(3, 4);
            QVERIFY(dlg->txtChannel->isVisible());
            QVERIFY(chk->isVisible());
            QVERIFY(chk->isEnabled());
        }
        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QCOMPARE(Split(d->FiveToneInfo())[static_cast<size_t>(field)], std::string("0"));
        QVERIFY(boxes->texts().isEmpty());
    }

    // Escape in an open cell box drops that box's entry only: the dialog stays with every other
    // edit, and OK stores them.
    void escapeInACellBoxEndsOnlyThatEdit_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed"); // empty: a key that moves the list's choice
        QTest::addColumn<bool>("refusedFirst");
        QTest::newRow("call tone") << 1 << "txtCallTone" << "12345" << false;
        QTest::newRow("tone set list") << 2 << "LstToneSet" << "" << false;
        QTest::newRow("identification") << 3 << "txtIdentify" << "XYZ" << false;
        QTest::newRow("channel") << 4 << "txtChannel" << "7" << false;
        QTest::newRow("channel after a refusal") << 4 << "txtChannel" << "201" << true;
        QTest::newRow("tries") << 5 << "cmbTries" << "" << false;
        QTest::newRow("emergency") << 6 << "txtEmerg" << "3" << false;
    }
    void escapeInACellBoxEndsOnlyThatEdit() {
        QFETCH(int, col);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(bool, refusedFirst);
        dlg->ComboBlow->setCurrentIndex(2);
        clickCell(1, 1);
        type(dlg->txtCallTone, "777");
        const std::string line3 = dlg->List().LineText(3);

        clickCell(3, col);
        auto* editor = dlg->findChild<QWidget*>(box);
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(QApplication::focusWidget(), editor);
        if (refusedFirst) {
            type(editor, typed);
            QTRY_VERIFY(editor->hasFocus());
            QVERIFY(editor->isVisible());
        }
        if (typed.isEmpty()) QTest::keyClick(editor, Qt::Key_Down);
        else QTest::keyClicks(editor, typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(dlg->isVisible());
        QVERIFY(!editor->isVisible());
        QCOMPARE(dlg->List().LineText(3), line3);
        QVERIFY(boxes->texts().isEmpty());

        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(d->FiveToneInfo(), std::string("|1|1|1|3|1")); // 3 blows
        QCOMPARE(d->FiveToneChannels()[1], std::string("CALL 777|ZVEI1|NUMBER 1|CURRENT|1|"));
        QCOMPARE(d->FiveToneChannels()[3], line3);
    }

    // An editor opens with its cell's text selected, so that typing replaces it.
    void typingReplacesTheCellsText_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::newRow("call tone") << 1 << "txtCallTone" << "22222" << "CALL 22222|ZVEI1|NUMBER 1|CURRENT|1|3";
        QTest::newRow("identification") << 3 << "txtIdentify" << "BASE" << "CALL 11111|ZVEI1|BASE|CURRENT|1|3";
        QTest::newRow("channel") << 4 << "txtChannel" << "7" << "CALL 11111|ZVEI1|NUMBER 1|7|1|3";
        QTest::newRow("emergency") << 6 << "txtEmerg" << "5" << "CALL 11111|ZVEI1|NUMBER 1|CURRENT|1|5";
    }
    void typingReplacesTheCellsText() {
        QFETCH(int, col);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, line);
        d->SetFiveToneLine(1, "CALL 11111|ZVEI1|NUMBER 1|CURRENT|1|3", RecordWrite::Quiet);
        d->SetSpecialField(1, 1, "0", RecordWrite::Quiet);
        dlg.reset();
        open();
        clickCell(1, col);
        type(dlg->findChild<QLineEdit*>(box), typed);
        QCOMPARE(QString::fromStdString(dlg->List().LineText(1)), line);
        QVERIFY(boxes->texts().isEmpty());
    }

    void clearThenOkStoresTheClearedView() {
        d->SetFarmMarnetInfo("1|123|45|12|150.0|0|||0|", RecordWrite::Quiet);
        boxes->answer(ui::MsgResult::Ok);
        QTest::mouseClick(dlg->Command4, Qt::LeftButton);
        QCOMPARE(boxes->texts(), QStringList{msg(3)});
        QCOMPARE(d->FarmMarnetInfo(), std::string(kDefaultFarmMarnetInfo));
        QCOMPARE(dlg->ComboToneSet->currentText(), QString("EXTEND"));
        QVERIFY(!d->IsModified());
        QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        QCOMPARE(d->FiveToneInfo(), std::string("|0|1|1|5|1"));
        QCOMPARE(d->FiveToneChannels()[12], std::string("||Number 12|||"));
        QVERIFY(d->IsModified());
    }

    void clearThenCancelPutsEverythingBack() {
        d->SetFiveToneLine(2, "CALL 1|ZVEI1|A|CURRENT|1|", RecordWrite::Quiet);
        d->SetSpecialField(2, 1, "0", RecordWrite::Quiet);
        dlg.reset();
        open();
        boxes->answer(ui::MsgResult::Cancel);
        dlg->Command4_Click();
        QCOMPARE(d->FiveToneChannels()[2], std::string("CALL 1|ZVEI1|A|CURRENT|1|")); // refused: nothing
        dlg->Command4_Click();
        QCOMPARE(d->FiveToneChannels()[2], std::string(""));
        QTest::mouseClick(dlg->Command2, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(d->FiveToneChannels()[2], std::string("CALL 1|ZVEI1|A|CURRENT|1|"));
        QCOMPARE(d->SpecialData()[2][1], std::string("0"));
        QCOMPARE(d->FiveToneInfo(), std::string(kDefaultFiveToneInfo));
        QCOMPARE(d->FarmMarnetInfo(), std::string(kDefaultFarmMarnetInfo));
    }

    void cancelAfterAnEmergencyCallRestoresTheLineAndTheChannelGrid() {
        d->SetCell(15, 4, "HARBOUR", RecordWrite::Quiet);
        dlg.reset();
        open();
        dlg->TxtID->setText("12307");
        clickCell(3, 3);
        withSpecialDialog([](Frm_Special* s) {
            QCOMPARE(s->cmbChannel->currentText(), QString("3"));
            s->cmbType->setCurrentIndex(kEmergency);
            s->cmbEmch->setCurrentIndex(15);
            QTest::mouseClick(s->Command1, Qt::LeftButton);
        });
        dlg->Command3_Click();
        QCOMPARE(dlg->List().LineText(7), std::string("EMERGENCY|ZVEI1|MY RADIO NO 07|15|3|1"));
        QCOMPARE(d->SpecialData()[7][1], std::string("5"));
        QCOMPARE(d->MFG.TextMatrix(15, 4), std::string("EMERGENCY"));
        QCOMPARE(dlg->MFG5Tone->model()->index(6, 0).data().toString(), QString("EMERGENCY"));
        dlg->reject();
        QCOMPARE(d->SpecialData()[7][1], std::string(""));
        QCOMPARE(d->SpecialData()[7][9], std::string(""));
        QCOMPARE(d->MFG.TextMatrix(15, 4), std::string("HARBOUR"));
        QCOMPARE(d->MFG.TextMatrix(15, 11), std::string(""));
        QCOMPARE(d->FiveToneChannels()[7], std::string(kEmptyToneLine));
    }

    void specialCallWithoutASelectedRowUsesLineOne() {
        withSpecialDialog([](Frm_Special* s) { QCOMPARE(s->cmbChannel->currentText(), QString("1")); });
        dlg->Command3_Click();
    }

    void cancelAndEscapeAreNeverHeldByAFieldCheck() {
        clickCell(2, 1);
        QTest::keyClicks(dlg->txtCallTone, "bad!");
        QTest::mouseClick(dlg->Command2, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QVERIFY(boxes->texts().isEmpty());
        dlg.reset();
        open();
        dlg->TxtID->setFocus();
        QTest::keyClicks(dlg->TxtID, "XX");
        QTest::keyClick(dlg->TxtID, Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
        QVERIFY(boxes->texts().isEmpty());
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
    }

    void installOnlyAnswers() {
        QTest::mouseClick(dlg->CommandInstall, Qt::LeftButton);
        QCOMPARE(boxes->texts(), QStringList{msg(5)});
        QCOMPARE(d->FarmMarnetInfo(), std::string(kDefaultFarmMarnetInfo));
        QVERIFY(!d->IsModified());
    }

    void screenshotsInBothLanguages() {
        d->SetFiveToneLine(1, "CALL 12345|ZVEI1|BASE|CURRENT|1|1", RecordWrite::Quiet);
        d->SetFiveToneLine(2, "ROBOT 1R2R3 PIN 3 LOW|ZVEI1|1R2R3 P3 LOW|CURRENT|1|", RecordWrite::Quiet);
        d->SetFarmMarnetInfo("1|123|45|12|150.0|1|12345|40|0|151.0", RecordWrite::Quiet);
        for (const char* lang : {"English", "Chinese"}) {
            QVERIFY(test::LoadToneLanguage(*d, lang));
            dlg.reset();
            open();
            clickCell(3, 2);
            QImage img = dlg->grab().toImage();
            QVERIFY(img.save(test::QPath(test::ScreenshotFolder() / (std::string("frm_5tone_") + lang + ".png"))));
            QCOMPARE(dlg->lbFarmcall->text(), QString("123"));
            QCOMPARE(dlg->lbMarnet->text(), QString("40"));
        }
        QCOMPARE(dlg->Label2->text(), QString::fromUtf8("本机音组："));
    }
};

QTEST_MAIN(Frm5ToneTest)
#include "tst_frm_5tone.moc"
