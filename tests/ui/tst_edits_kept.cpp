// No edit made in the main window is ever dropped: a value still open in a cell editor reaches
// every command that reads the grid, a scroll commits it, Escape or the close button of a
// question cancels rather than answering No, and the grid only takes what the image can hold.
#include "common/TextUtil.h"
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"
#include "common/ui/ProcessStarter.h"
#include "e2e/EditorHome.h"
#include "editor/codec/ImageCodec.h"
#include "editor/codec/ImageFile.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/settings/core/FarmMarnetUpdate.h"
#include "editor/settings/ui/Frm_5Tone.h"
#include "editor/settings/ui/Frm_Option.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "editor/shell/ui/GridModel.h"
#include "editor/shell/ui/Twips.h"
#include "tests/support/qt/Screenshots.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <QtTest>
#include <fstream>
#include <functional>
#include <memory>
#include <tuple>

using namespace vt;

namespace {
void Settle() { QCoreApplication::processEvents(); }

void Shoot(QWidget* w, const char* name) { test::SaveScreenshot(*w, QString("edits_kept_") + name + ".png"); }

void Key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(w, k, m);
    Settle();
}

// A click as a user makes it on a cell in sight (one out of sight is scrolled to first).
void Click(Frm_Radio& w, int row, int col) {
    QModelIndex i = w.MFGModel->index(row - 1, col - 1);
    QRect r = w.MFG->visualRect(i).intersected(w.MFG->viewport()->rect());
    if (r.width() < 4 || r.height() < 4) {
        w.MFG->scrollTo(i);
        Settle();
        r = w.MFG->visualRect(i).intersected(w.MFG->viewport()->rect());
    }
    QTest::mouseClick(w.MFG->viewport(), Qt::LeftButton, {}, r.center());
    Settle();
}

void ChooseItem(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    QListWidgetItem* item = found.first();
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    Settle();
}

// The data set a data file holds, decoded as Open does.
std::unique_ptr<EditorData> Decoded(const QString& path) {
    auto back = std::make_unique<EditorData>();
    BuildGrid(*back);
    if (!ReadImageFile(path.toStdString(), back->MemImage)) return nullptr;
    DecodeImage(back->MemImage, LoadCodecTables(back->Tables, back->VolTables, TablesFor::Decode), ImageSource::File,
                *back);
    return back;
}

// Every cell of the grid's rows, as the window shows them.
std::vector<std::vector<std::string>> Cells(const EditorData& d) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 1; r < d.MFG.Rows(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < d.MFG.Cols(); ++c) rows.back().push_back(d.MFG.TextMatrix(r, c));
    }
    return rows;
}

// Runs fn on the modal dialog the action opens (exec blocks until it closes); a dialog fn leaves
// open is cancelled. False when no such dialog came up.
template <class Dialog>
bool InDialog(QAction* action, const std::function<void(Dialog*)>& fn) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dlg) return;
        seen = true;
        fn(dlg);
        if (dlg->isVisible()) dlg->reject();
    });
    action->trigger();
    Settle();
    return seen;
}

// Starts nothing: the editor reports a failed start and stays, with wbuffer.bin written.
class NoTool : public ui::ProcessStarter {
public:
    bool start(const QString&, const QStringList&, QObject*, std::function<void()>) override { return false; }
};
} // namespace

class EditsKeptTest : public QObject {
    Q_OBJECT
    ui::ScriptedMessageBox boxes_;
    std::unique_ptr<ui::ScriptedFileDialog> files_;
    std::unique_ptr<ui::ScopedMessageBox> boxScope_;
    std::unique_ptr<ui::ScopedFileDialog> fileScope_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<EditorData> d_;
    std::unique_ptr<Frm_Radio> w_;

    std::string Cell(int r, int c) const { return d_->MFG.TextMatrix(r, c); }
    QString Path(const char* name) const { return dir_->filePath(name); }

    void Start() {
        d_ = std::make_unique<EditorData>();
        w_ = std::make_unique<Frm_Radio>(*d_);
        w_->show();
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }

    // A new data set (band 32 -- 49 MHz), then 41 typed into the open Rx box of channel 1.
    void TypeRxLeftOpen() {
        w_->Menu_New_Click();
        Click(*w_, 1, 2);
        QVERIFY(w_->TxtRxFreq->isVisible());
        QTest::keyClicks(w_->TxtRxFreq, "41");
        QVERIFY(d_->IsModified());
    }

private slots:
    void initTestCase() { qputenv("VELTRA_HOME", VELTRA_APP_DIR); }
    void init() {
        boxes_.clear();
        boxScope_ = std::make_unique<ui::ScopedMessageBox>(&boxes_);
        files_ = std::make_unique<ui::ScriptedFileDialog>();
        fileScope_ = std::make_unique<ui::ScopedFileDialog>(files_.get());
        dir_ = std::make_unique<QTemporaryDir>();
        Start();
    }
    void cleanup() {
        if (QTest::currentTestFailed()) qWarning() << "boxes:" << boxes_.texts();
        w_.reset();
        d_.reset();
        fileScope_.reset();
        files_.reset();
        boxScope_.reset();
        dir_.reset();
    }

    // ---- a value left open in a cell editor

    void commandsTakeTheOpenEditorsValue_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("Ctrl+S") << "ctrl+s";
        QTest::newRow("File > Save") << "menu save";
        QTest::newRow("Yes on closing") << "close";
        QTest::newRow("Yes before New") << "new";
        QTest::newRow("Yes before Open") << "open";
    }
    void commandsTakeTheOpenEditorsValue() {
        QFETCH(QString, command);
        Frm_Radio& w = *w_;
        TypeRxLeftOpen();
        const QString file = Path("kept.dat");
        files_->answer(file);
        if (command == "ctrl+s") {
            Key(w.TxtRxFreq, Qt::Key_S, Qt::ControlModifier);
        } else if (command == "menu save") {
            w.Menu_Save->trigger();
        } else if (command == "close") {
            boxes_.answer(ui::MsgResult::Yes);
            QVERIFY(w.close());
        } else if (command == "new") {
            boxes_.answer(ui::MsgResult::Yes);
            w.Menu_New->trigger();
        } else {
            boxes_.answer(ui::MsgResult::Yes);
            w.Menu_Open->trigger(); // the Open dialog then cancels
        }
        Settle();
        QVERIFY(QFile::exists(file));
        QVERIFY(!w.TxtRxFreq->isVisible());
        auto back = Decoded(file);
        QVERIFY(back);
        QCOMPARE(back->MFG.TextMatrix(1, 2), std::string("41.0000"));
        for (const QString& t : boxes_.texts()) QCOMPARE(t, w.SaveChangesMsg); // no refusal
        if (command == "ctrl+s" || command == "menu save") {
            QCOMPARE(Cell(1, 2), std::string("41.0000"));
            QVERIFY(w.windowTitle().endsWith("[" + file + "]"));
            QVERIFY(!d_->IsModified());
            QVERIFY(w.close()); // saved: nothing to ask
            QVERIFY(boxes_.texts().isEmpty());
        }
    }

    void writeFromTheMenuTakesTheOpenEditorsValue() {
        Frm_Radio& w = *w_;
        // The guard outlives the folder, whose end clears VELTRA_HOME.
        auto back = qScopeGuard([] { qputenv("VELTRA_HOME", VELTRA_APP_DIR); });
        vt::test::EditorHome home; // wbuffer.bin goes there
        NoTool tool;
        ui::ScopedProcessStarter starter(&tool);
        w.Menu_New_Click();
        d_->SetCell(1, 1, "40.0000", RecordWrite::Quiet);
        Click(w, 1, 2);
        QTest::keyClicks(w.TxtRxFreq, "41");
        w.Menu_WriteCHData->trigger();
        Settle();
        // Channel 1 has both frequencies: the write went ahead up to the start of the tool.
        QCOMPARE(boxes_.texts(), QStringList{"Error VC start!"});
        ImageArray sent{};
        QVERIFY(ReadImageFile(home.File("wbuffer.bin"), sent));
        EditorData radio;
        BuildGrid(radio);
        radio.MemImage = sent;
        DecodeImage(radio.MemImage, LoadCodecTables(radio.Tables, radio.VolTables, TablesFor::Decode), ImageSource::Radio,
                    radio);
        QCOMPARE(radio.MFG.TextMatrix(1, 2), std::string("41.0000"));
    }

    // A refused value stops the command: the user sees why and the box waits for a good one.
    void refusedOpenValueStopsTheSave() {
        Frm_Radio& w = *w_;
        TypeRxLeftOpen();
        d_->SetCell(1, 2, "45.0000", RecordWrite::Quiet); // what the cell held before
        QTest::keyClicks(w.TxtRxFreq, "9"); // 419 MHz, outside the band
        files_->answer(Path("second_try.dat"));
        w.Menu_Save->trigger();
        Settle();
        QCOMPARE(boxes_.texts(), QStringList{"32 -- 49 MHz"});
        QVERIFY(files_->requests().empty());
        QVERIFY(!QFile::exists(Path("second_try.dat")));
        QVERIFY(w.TxtRxFreq->isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.TxtRxFreq));
        QCOMPARE(Cell(1, 2), std::string("45.0000"));
        // Saving again with the emptied box keeps the cell's own value.
        w.Menu_Save->trigger();
        Settle();
        QVERIFY(!w.TxtRxFreq->isVisible());
        auto back = Decoded(Path("second_try.dat"));
        QVERIFY(back);
        QCOMPARE(back->MFG.TextMatrix(1, 2), std::string("45.0000"));
    }

    // ---- Escape and the close button of the save question

    void escapeOrClosingTheQuestionKeepsTheEditor() {
        Frm_Radio& w = *w_;
        TypeRxLeftOpen();
        boxes_.answerEscape();
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(boxes_.texts(), QStringList{w.SaveChangesMsg});
        QVERIFY(boxes_.shown()[0].buttons == ui::MsgButtons::YesNoEscapeCancels);
        QCOMPARE(Cell(1, 2), std::string("41.0000")); // committed before the question
        boxes_.answerClose();
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QVERIFY(files_->requests().empty());
        QVERIFY(d_->IsModified());
        // No still means no.
        boxes_.answer(ui::MsgResult::No);
        QVERIFY(w.close());
    }

    void escapeOnTheQuestionBeforeNewOpenOrReadChangesNothing() {
        Frm_Radio& w = *w_;
        TypeRxLeftOpen();
        for (QAction* command : {w.Menu_New, w.Menu_Open, w.Menu_ReadCHData}) {
            boxes_.answerEscape();
            command->trigger();
            Settle();
            QVERIFY(w.isVisible());
            QCOMPARE(Cell(1, 2), std::string("41.0000"));
            QVERIFY(d_->IsModified());
        }
        QVERIFY(files_->requests().empty());
        QCOMPARE(boxes_.texts().size(), 3);
        for (const auto& s : boxes_.shown()) QVERIFY(s.buttons == ui::MsgButtons::YesNoCancel);
    }

    // The scripted answers stand for what the real boxes do: Escape and a window manager's close.
    void realBoxesAnswerEscapeAndCloseAsScripted_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<bool>("viaClose");
        const std::pair<const char*, ui::MsgButtons> sets[] = {
            {"Ok", ui::MsgButtons::Ok},
            {"OkCancel", ui::MsgButtons::OkCancel},
            {"YesNo", ui::MsgButtons::YesNo},
            {"YesNoCancel", ui::MsgButtons::YesNoCancel},
            {"RetryCancel", ui::MsgButtons::RetryCancel},
            {"YesNoEscapeCancels", ui::MsgButtons::YesNoEscapeCancels},
        };
        for (const auto& [name, b] : sets) {
            QTest::newRow((std::string(name) + " Escape").c_str()) << static_cast<int>(b) << false;
            QTest::newRow((std::string(name) + " close button").c_str()) << static_cast<int>(b) << true;
        }
    }
    void realBoxesAnswerEscapeAndCloseAsScripted() {
        QFETCH(int, buttons);
        QFETCH(bool, viaClose);
        const auto set = static_cast<ui::MsgButtons>(buttons);
        QStringList visible;
        bool reached = false;
        QTimer::singleShot(50, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            reached = true;
            for (QAbstractButton* b : box->buttons())
                if (b->isVisible()) visible << b->text().remove('&');
            if (set == ui::MsgButtons::YesNoEscapeCancels) box->grab().save(Path("question.png"));
            if (viaClose)
                box->windowHandle()->close(); // what a window manager's close button sends
            else
                QTest::keyClick(box, Qt::Key_Escape);
            // A box that ignored both would block the test: end it with its first button.
            QTimer::singleShot(200, box, [box] {
                if (box->isVisible()) box->buttons().first()->click();
            });
        });
        ui::QtMessageBox real;
        const ui::MsgResult r = real.show(w_.get(), "Save the data?", "Data Editor", set, ui::MsgIcon::Question);
        QVERIFY(reached);
        QCOMPARE(static_cast<int>(r), static_cast<int>(ui::EscapeAnswer(set)));
        if (set == ui::MsgButtons::YesNoEscapeCancels) {
            QCOMPARE(visible, (QStringList{"Yes", "No"}));
            QCOMPARE(static_cast<int>(r), static_cast<int>(ui::MsgResult::Cancel));
        }
        if (set == ui::MsgButtons::YesNo) QCOMPARE(static_cast<int>(r), static_cast<int>(ui::MsgResult::No));
    }

    // ---- clicks, keys and scrolls on the grid

    void pressOnAPartlyHiddenCellOpensItsEditor() {
        Frm_Radio& w = *w_;
        QScrollBar* bar = w.MFG->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        // A column cut by the right edge of the grid, or else by its left edge.
        const int edge = w.MFG->viewport()->width();
        int col = 0;
        QPoint at;
        for (int v = bar->minimum(); v <= bar->maximum() && !col; ++v) {
            bar->setValue(v);
            Settle();
            for (int c = 1; c <= 15 && !col; ++c) {
                QRect r = w.MFG->visualRect(w.MFGModel->index(4, c - 1));
                if (r.left() < edge - 8 && r.right() > edge + 8) {
                    col = c;
                    at = QPoint((r.left() + edge) / 2, r.center().y());
                } else if (r.left() < -8 && r.right() > 8) {
                    col = c;
                    at = QPoint(r.right() / 2, r.center().y());
                }
            }
        }
        QVERIFY2(col, "no column lies across an edge of the grid");
        QTest::mouseClick(w.MFG->viewport(), Qt::LeftButton, {}, at);
        Settle();
        QCOMPARE(w.CurRow, 5);
        QCOMPARE(w.CurCol, col);
        // Past the view's own late scroll: the editor stays open, over its cell, in sight.
        QTest::qWait(QApplication::doubleClickInterval() + 300);
        const QRect cell = w.MFGCellRect(5, col);
        QVERIFY(QRect(QPoint(0, 0), w.size()).contains(cell.center()));
        QVERIFY(w.MFGRect().contains(cell.center()));
        // The editor has the keys: the grid's current cell stays where the click put it.
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && editor != w.MFG && editor->isVisible());
        QWidget* shown = editor; // a combo's own line edit stands for the combo
        while (shown->parentWidget() && shown->parentWidget() != &w) shown = shown->parentWidget();
        QVERIFY(shown->geometry().intersects(cell));
        QTest::keyClicks(editor, "150");
        Settle();
        QCOMPARE(w.MFG->currentIndex(), w.MFGModel->index(4, col - 1));
        Shoot(&w, "partly_hidden_cell_opened");
    }

    void typingOnTheGridNeverMovesTheSelection() {
        Frm_Radio& w = *w_;
        w.SetMFGCell(1, 3); // ID line1.: row r holds the text r
        w.MFG->setFocus();
        Settle();
        QTest::keyClicks(w.MFG, "150");
        Settle();
        QCOMPARE(w.MFG->currentIndex(), w.MFGModel->index(0, 2));
        QCOMPARE(w.MFG->verticalScrollBar()->value(), 0);
        QCOMPARE(Cell(150, 3), std::string("150"));
    }

    void scrollCommitsTheOpenComboAndResetsIt() {
        Frm_Radio& w = *w_;
        Click(w, 2, 9);
        QVERIFY(w.ComboBCLO->isVisible());
        Key(w.ComboBCLO, Qt::Key_Down);
        QCOMPARE(w.ComboBCLO->currentText(), QString("YES"));
        w.MFG->verticalScrollBar()->setValue(w.MFG->verticalScrollBar()->value() + 5);
        Settle();
        QVERIFY(!w.ComboBCLO->isVisible());
        QCOMPARE(Cell(2, 9), std::string("YES"));
        QCOMPARE(w.Tip->text(), w.DefaultTip);
        // The next opening starts from item 0 again, so Down picks "YES".
        Click(w, 9, 9);
        QCOMPARE(w.ComboBCLO->currentIndex(), 0);
        Key(w.ComboBCLO, Qt::Key_Down);
        Key(w.ComboBCLO, Qt::Key_Tab);
        QCOMPARE(Cell(9, 9), std::string("YES"));
    }

    void scrollCommitsTheOpenTextBox() {
        Frm_Radio& w = *w_;
        Click(w, 2, 2);
        QTest::keyClicks(w.TxtRxFreq, "57");
        w.MFG->verticalScrollBar()->setValue(w.MFG->verticalScrollBar()->value() + 5);
        Settle();
        QVERIFY(!w.TxtRxFreq->isVisible());
        QCOMPARE(Cell(2, 2), std::string("57.0000"));
        QVERIFY(boxes_.texts().isEmpty());
    }

    // ---- the grid holds only what the image can hold

    void aToneAndACodeNeverShareADirection() {
        Frm_Radio& w = *w_;
        Click(w, 3, 5);
        ChooseItem(w.lstCTENC, "71.9");
        Click(w, 3, 7);
        ChooseItem(w.lstDCENC, "026");
        QCOMPARE(Cell(3, 7), std::string("026"));
        QCOMPARE(Cell(3, 5), std::string(""));
        Click(w, 3, 5);
        ChooseItem(w.lstCTENC, "71.9");
        QCOMPARE(Cell(3, 5), std::string("71.9"));
        QCOMPARE(Cell(3, 7), std::string(""));
        // The decode side, and a tone of the user's own.
        Click(w, 4, 8);
        ChooseItem(w.lstDCDEC, "023");
        Click(w, 4, 6);
        ChooseItem(w.lstCTDEC, "OTHER");
        QVERIFY(w.txtOtherDec->isVisible());
        QTest::keyClicks(w.txtOtherDec, "100.5");
        Click(w, 6, 3);
        QCOMPARE(Cell(4, 6), std::string("100.5"));
        QCOMPARE(Cell(4, 8), std::string(""));
        // "NO" empties its own column only.
        Click(w, 5, 7);
        ChooseItem(w.lstDCENC, "031");
        Click(w, 5, 5);
        ChooseItem(w.lstCTENC, "NO");
        QCOMPARE(Cell(5, 7), std::string("031"));
        // Both survive a save and an open as the grid shows them.
        Click(w, 6, 7);
        ChooseItem(w.lstDCENC, "026");
        files_->answer(Path("tones.dat"));
        QVERIFY(w.Menu_Save_Click());
        auto back = Decoded(Path("tones.dat"));
        QVERIFY(back);
        for (int r : {3, 4, 5, 6})
            for (int c : {5, 6, 7, 8})
                QVERIFY2(back->MFG.TextMatrix(r, c) == Cell(r, c),
                         qPrintable(QString("row %1 column %2: %3").arg(r).arg(c).arg(
                             QString::fromStdString(back->MFG.TextMatrix(r, c)))));
    }

    void secondReceiverRxOpensOnlyWhileTheReceiverIsOn() {
        Frm_Radio& w = *w_;
        const int last = d_->MFG.Rows() - 1;
        Click(w, last, 2);
        QVERIFY(!w.TxtRxFreq->isVisible());
        QVERIFY(!w.SecondRxOffTip.isEmpty());
        QCOMPARE(w.Tip->text(), w.SecondRxOffTip);
        Click(w, last, 1); // its Tx is stored from the cell
        QVERIFY(w.TxtTxFreq->isVisible());
        Key(w.TxtTxFreq, Qt::Key_Escape);
        auto f = Split(d_->FarmMarnetInfo());
        f[8] = "1";
        f[9] = "55";
        d_->SetFarmMarnetInfo(Join(f), RecordWrite::Quiet);
        Click(w, 3, 3);
        Click(w, last, 2);
        QVERIFY(w.TxtRxFreq->isVisible());
        // Emptying it is refused now: its tip does not offer that.
        QCOMPARE(w.Tip->text(), w.ColumnTips[1].section('\n', 0, 0) + "\n" + w.Lng("Fradio_Tip", 19));
        Click(w, 3, 2);
        QCOMPARE(w.Tip->text(), w.ColumnTips[1]);
    }

    // The radio keeps a deviation only with a tone or a code to send: without one the cell says
    // why and takes nothing, with one what is typed comes back from the file.
    void deviationIsTypedOnlyWhereTheRadioKeepsIt() {
        Frm_Radio& w = *w_;
        w.Menu_New_Click();
        const int last = d_->MFG.Rows() - 1;
        struct Case {
            int row, toneCol;
            const char *tone, *typed, *kept;
            bool dropTone;
        };
        const Case cases[] = {
            {3, 0, nullptr, "300", "250", false},
            {last, 0, nullptr, "300", "", false}, // a second receiver's file keeps none
            {4, ColCtcssEnc, "88.5", "300", "300", false},
            {5, ColDcsEnc, "023", "400", "400", false},
            {6, ColCtcssEnc, "88.5", "300", "250", true}, // its tone taken away again
        };
        for (const Case& c : cases) {
            if (c.tone) {
                Click(w, c.row, c.toneCol);
                ChooseItem(c.toneCol == ColCtcssEnc ? w.lstCTENC : w.lstDCENC, c.tone);
            }
            Click(w, c.row, ColCtDev);
            QCOMPARE(w.TxtCTDEV->isVisible(), c.tone != nullptr);
            if (!c.tone) QCOMPARE(w.Tip->text(), w.NoEncodeToneTip);
            QTest::keyClicks(QApplication::focusWidget(), c.typed);
            Key(QApplication::focusWidget(), Qt::Key_Return);
            if (c.dropTone) {
                Click(w, c.row, c.toneCol);
                ChooseItem(w.lstCTENC, "NO");
            }
            QCOMPARE(Cell(c.row, ColCtDev), std::string(c.kept));
        }
        Shoot(&w, "deviation_cells");
        QVERIFY(boxes_.texts().isEmpty());
        files_->answer(Path("dev.dat"));
        QVERIFY(w.Menu_Save_Click());
        files_->answer(Path("dev.dat"));
        w.Menu_Open_Click();
        for (const Case& c : cases)
            QCOMPARE(Cell(c.row, ColCtDev), std::string(c.kept));
    }

    // While the second receiver is on, its Rx cell is the receiver's frequency: what is typed
    // there is what the file keeps. A new data set's row shows what its file gives back.
    void secondReceiverRowShowsWhatTheFileKeeps() {
        Frm_Radio& w = *w_;
        w.Menu_New_Click();
        auto lastRow = [this] { // its cells; the label is no part of the file
            QStringList v;
            for (int c = 1; c < d_->MFG.Cols(); ++c)
                v << QString::fromStdString(Cell(d_->MFG.Rows() - 1, c));
            return v.join('|');
        };
        auto saveAndOpen = [&] {
            files_->answer(Path("second.dat"));
            QVERIFY(w.Menu_Save_Click());
            files_->answer(Path("second.dat"));
            w.Menu_Open_Click();
        };
        const QString fresh = lastRow();
        saveAndOpen();
        QCOMPARE(lastRow(), fresh);
        // On at 36 MHz, as the FARMCALL/MARNET update leaves it.
        auto f = Split(d_->FarmMarnetInfo());
        f[8] = "1";
        f[9] = "36";
        d_->SetFarmMarnetInfo(Join(f));
        AddSecondRec(*d_, "36");
        const int last = d_->MFG.Rows() - 1;
        for (auto [leave, typed, cell, secFreq] :
             {std::tuple{Qt::Key_Return, "41.3", "41.3000", "41.3"},
              std::tuple{Qt::Key_Tab, "44.0125", "44.0125", "44.0125"}}) {
            Click(w, last, ColRxFreq);
            QVERIFY(w.TxtRxFreq->isVisible());
            QTest::keyClicks(w.TxtRxFreq, typed);
            Key(w.TxtRxFreq, leave);
            Click(w, 3, ColName2);
            QCOMPARE(Cell(last, ColRxFreq), std::string(cell));
            saveAndOpen();
            QCOMPARE(Cell(last, ColRxFreq), std::string(cell));
            QCOMPARE(Split(d_->FarmMarnetInfo())[9], std::string(secFreq));
        }
        QVERIFY(boxes_.texts().isEmpty());
    }

    // Emptying the second receiver's Rx while it is on (nothing, or blanks typed over it) is
    // refused with a word, however the box is left: the cell, its SEC FREQ and the file keep the
    // receiver's frequency.
    void secondReceiverRxIsNotEmptiedWhileOn_data() {
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Enter") << "enter" << "";
        QTest::newRow("Tab") << "tab" << "";
        QTest::newRow("click on another cell") << "click" << "";
        QTest::newRow("Ctrl+S") << "save" << "";
        QTest::newRow("blanks, Enter") << "enter" << "   ";
        QTest::newRow("blanks, Tab") << "tab" << "   ";
    }
    void secondReceiverRxIsNotEmptiedWhileOn() {
        QFETCH(QString, leave);
        QFETCH(QString, typed);
        Frm_Radio& w = *w_;
        w.Menu_New_Click();
        auto f = Split(d_->FarmMarnetInfo());
        f[8] = "1";
        f[9] = "36";
        d_->SetFarmMarnetInfo(Join(f));
        AddSecondRec(*d_, "36");
        const int last = d_->MFG.Rows() - 1;
        Click(w, last, ColRxFreq);
        QCOMPARE(w.TxtRxFreq->text(), QString("36"));
        Key(w.TxtRxFreq, Qt::Key_Backspace); // the whole text is selected
        QTest::keyClicks(w.TxtRxFreq, typed);
        QCOMPARE(w.TxtRxFreq->text(), typed);
        if (leave == "enter") {
            Key(w.TxtRxFreq, Qt::Key_Return);
            // The box stays, showing what the cell keeps.
            QVERIFY(w.TxtRxFreq->isVisible() && w.TxtRxFreq->hasFocus());
            QCOMPARE(w.TxtRxFreq->text(), QString("36"));
        } else if (leave == "tab") {
            Key(w.TxtRxFreq, Qt::Key_Tab);
        } else if (leave == "click") {
            Click(w, 3, ColName2);
        } else {
            Key(w.TxtRxFreq, Qt::Key_S, Qt::ControlModifier);
            QVERIFY(!QFile::exists(Path("second.dat"))); // refused: the save does not go on
        }
        const QString said = QString::fromStdString(d_->Lang.Text("Fradio_Msg", 25)).replace('\r', '\n');
        QVERIFY(!said.isEmpty());
        QTRY_COMPARE(boxes_.texts(), QStringList{said});
        if (leave != "enter") QVERIFY(!w.TxtRxFreq->isVisible());
        QCOMPARE(Cell(last, ColRxFreq), std::string("36"));
        QCOMPARE(Split(d_->FarmMarnetInfo())[9], std::string("36"));
        files_->answer(Path("second.dat"));
        QVERIFY(w.Menu_Save_Click());
        files_->answer(Path("second.dat"));
        w.Menu_Open_Click();
        QCOMPARE(Cell(last, ColRxFreq), std::string("36.0000"));
        QCOMPARE(Split(d_->FarmMarnetInfo())[9], std::string("36"));
        QCOMPARE(boxes_.texts().size(), 1);
    }

    // A confirmed band choice blanks row 201 like any channel; while the second receiver is on,
    // that row is its SEC FREQ, so both go, and the file gives back what the grid showed.
    void bandChoiceTakesSecFreqWithItsRow_data() {
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("secFreq");
        QTest::newRow("inside the band") << 0 << "36.0000" << "36";
        QTest::newRow("outside the band") << 1 << "" << "";
    }
    void bandChoiceTakesSecFreqWithItsRow() {
        QFETCH(int, band);
        QFETCH(QString, cell);
        QFETCH(QString, secFreq);
        Frm_Radio& w = *w_;
        w.Menu_New_Click(); // band 0, 32 -- 49 MHz
        auto f = Split(d_->FarmMarnetInfo());
        f[8] = "1";
        f[9] = "36";
        d_->SetFarmMarnetInfo(Join(f), RecordWrite::Quiet);
        AddSecondRec(*d_, "36");
        const int last = d_->MFG.Rows() - 1;
        boxes_.answer(ui::MsgResult::Ok);
        w.Menu_Band_Item[band]->trigger();
        QCOMPARE(boxes_.texts(), QStringList{w.BandConfirmMsg});
        QCOMPARE(QString::fromStdString(Split(d_->FarmMarnetInfo())[9]), secFreq);
        files_->answer(Path("band.dat"));
        QVERIFY(w.Menu_Save_Click());
        files_->answer(Path("band.dat"));
        w.Menu_Open_Click();
        QCOMPARE(QString::fromStdString(Cell(last, ColRxFreq)), cell);
        QCOMPARE(QString::fromStdString(Split(d_->FarmMarnetInfo())[9]), secFreq);
        QCOMPARE(Split(d_->FarmMarnetInfo())[8], std::string("1"));
        QCOMPARE(boxes_.texts().size(), 1);
    }

    // With one area and MARNET on, the extra MARNET row lies in no area, and the radio keeps a
    // priority channel per area: its SCAN cell offers no "P", and a "P" an options change moved
    // there is named at Save.
    void extraMarnetRowTakesOnlyWhatTheFileKeeps() {
        Frm_Radio& w = *w_;
        w.Menu_New_Click();
        auto shape = [this](int areas, int per) { // what the options dialog's OK runs
            auto o = Split(d_->RadioOption());
            o[0] = std::to_string(areas);
            o[1] = std::to_string(per);
            d_->SetRadioOption(Join(o));
            AdjustArea_Marnet(*d_);
            UpdateAreaNo(*d_);
            UpdateScan(*d_);
            ValidateT(*d_);
            ValidateP(*d_);
        };
        d_->SetFarmMarnetInfo("0|||||1|12345|16|0|");
        shape(2, 15); // no MARNET row with two areas
        auto store = [&](int row, const char* typed) {
            Click(w, row, ColScan);
            QVERIFY(w.ComboSCAN->isVisible());
            Key(w.ComboSCAN, Qt::Key_A, Qt::ControlModifier); // over what the cell holds
            QTest::keyClicks(w.ComboSCAN, typed);
            Key(w.ComboSCAN, Qt::Key_Tab);
        };
        store(16, "TP");
        QCOMPARE(Cell(16, ColScan), std::string("TP"));
        shape(1, 15);
        QCOMPARE(d_->MFG.Rows(), 18); // area 2's first channel is the MARNET row now, with its "TP"
        QCOMPARE(Cell(16, ColScan), std::string("TP"));
        auto offered = [&](int row) {
            Click(w, row, ColScan);
            QStringList items;
            for (int i = 0; i < w.ComboSCAN->count(); ++i) items << w.ComboSCAN->itemText(i);
            Click(w, 3, ColName2);
            return items;
        };
        QCOMPARE(offered(3), QStringList({"NO", "T", "S", "P", "TS", "TP"}));
        QCOMPARE(offered(16), QStringList({"NO", "T", "S", "TS"}));
        QCOMPARE(Cell(16, ColScan), std::string("TP"));
        files_->answer(Path("marnet.dat"));
        boxes_.clear();
        Key(w.MFG, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(Path("marnet.dat")));
        QCOMPARE(boxes_.texts().size(), 1);
        QVERIFY2(boxes_.texts()[0].contains("Channel row 16"), qPrintable(boxes_.texts()[0]));
        auto back = Decoded(Path("marnet.dat"));
        QVERIFY(back);
        QCOMPARE(back->MFG.TextMatrix(16, ColScan), std::string("T"));
        // What it offers comes back from the file as stored, without a word.
        store(16, "S");
        QCOMPARE(Cell(16, ColScan), std::string("S"));
        store(16, "TP"); // not offered there: not taken either
        QCOMPARE(Cell(16, ColScan), std::string("S"));
        boxes_.clear();
        files_->answer(Path("marnet.dat"));
        QVERIFY(w.Menu_Save_Click());
        QVERIFY(boxes_.texts().isEmpty());
        QCOMPARE(Decoded(Path("marnet.dat"))->MFG.TextMatrix(16, ColScan), std::string("S"));
    }

    // The second receiver is a record of its own: a resize by the options keeps its cells, and
    // they come back from the file as they went in.
    void secondReceiverRowSurvivesResizes() {
        Frm_Radio& w = *w_;
        auto lastRow = [](const EditorData& d) {
            std::vector<std::string> v;
            for (int c = 0; c < d.MFG.Cols(); ++c) v.push_back(d.MFG.TextMatrix(d.MFG.Rows() - 1, c));
            return v;
        };
        // Its own tone, deviation and power, as an opened file leaves them.
        d_->SetCell(1, 1, "55.0000", RecordWrite::Quiet);
        d_->SetCell(1, 2, "55.0000", RecordWrite::Quiet);
        const int last = d_->MFG.Rows() - 1;
        d_->SetCell(last, 1, "56.0000", RecordWrite::Quiet);
        d_->SetCell(last, 5, "88.5", RecordWrite::Quiet);
        d_->SetCell(last, 15, "40", RecordWrite::Quiet);
        files_->answer(Path("second.dat"));
        QVERIFY(w.Menu_Save_Click());
        files_->answer(Path("second.dat"));
        w.Menu_Open_Click();
        const auto opened = lastRow(*d_);
        QCOMPARE(opened[5], std::string("88.5"));
        QCOMPARE(opened[15], std::string("40"));
        for (auto [areas, per] : {std::pair{2, 100}, std::pair{1, 50}, std::pair{3, 20}, std::pair{1, 200}}) {
            auto f = Split(d_->RadioOption());
            f[0] = std::to_string(areas);
            f[1] = std::to_string(per);
            d_->SetRadioOption(Join(f), RecordWrite::Quiet);
            AdjustArea_Marnet(*d_); // what the options dialog's OK runs
            UpdateAreaNo(*d_);
            QVERIFY(lastRow(*d_) == opened);
            QCOMPARE(d_->MFG.Rows(), areas * per + 2);
            files_->answer(Path("resized.dat"));
            QVERIFY(w.Menu_Save_Click());
            auto back = Decoded(Path("resized.dat"));
            QVERIFY(back);
            QVERIFY(lastRow(*back) == opened);
        }
    }

    // ---- what a dialog's OK leaves on the grid is what Save keeps

    // A data set with FARMCALL or MARNET on, saved and opened again as a technician has it.
    void OpenFarmDataSet(int band, const std::string& farm) {
        Frm_Radio& w = *w_;
        SetBand(*d_, band);
        d_->SetFarmMarnetInfo(farm);
        UpdateFarmInfo(*d_); // what the FARMCALL/MARNET dialog's OK runs
        files_->answer(Path("farm.dat"));
        QVERIFY(w.Menu_Save_Click());
        files_->answer(Path("farm.dat"));
        w.Menu_Open_Click();
        boxes_.clear();
    }
    // Save shows nothing, and the file gives back what the grid shows.
    void SavedAsShown() {
        files_->answer(Path("after.dat"));
        QVERIFY(w_->Menu_Save_Click());
        QVERIFY2(boxes_.texts().isEmpty(), qPrintable(boxes_.texts().join('\n')));
        auto back = Decoded(Path("after.dat"));
        QVERIFY(back);
        QCOMPARE(back->MFG.Rows(), d_->MFG.Rows());
        QVERIFY(Cells(*back) == Cells(*d_));
    }

    // The 5-tone dialog's Default clears the FARMCALL/MARNET settings: after its OK the grid
    // loses the MARNET row, or row 201's Rx while the second receiver is off, and says so.
    void fiveToneDefaultLeavesWhatSaveKeeps_data() {
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("farm");
        QTest::addColumn<int>("rowsBefore");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<QString>("went");
        QTest::newRow("MARNET row") << 3 << "0|||||1|12345|40|0|150" << 42 << 41 << "Ch:40";
        QTest::newRow("second receiver") << 1 << "1|123|45|12|55|0|||1|57.5" << 202 << 202 << "57.5000";
    }
    void fiveToneDefaultLeavesWhatSaveKeeps() {
        QFETCH(int, band);
        QFETCH(QString, farm);
        QFETCH(int, rowsBefore);
        QFETCH(int, rowsAfter);
        QFETCH(QString, went);
        OpenFarmDataSet(band, farm.toStdString());
        QCOMPARE(d_->MFG.Rows(), rowsBefore);
        QVERIFY(InDialog<Frm_5Tone>(w_->Menu_5Tone, [this](Frm_5Tone* t) {
            boxes_.answer(ui::MsgResult::Ok);
            QTest::mouseClick(t->Command4, Qt::LeftButton);
            QTest::mouseClick(t->Command1, Qt::LeftButton);
        }));
        QCOMPARE(d_->FarmMarnetInfo(), std::string(kDefaultFarmMarnetInfo));
        QCOMPARE(d_->MFG.Rows(), rowsAfter);
        QCOMPARE(boxes_.texts().size(), 2); // the question, then what went
        QVERIFY2(boxes_.texts()[1].contains(went), qPrintable(boxes_.texts()[1]));
        boxes_.clear();
        SavedAsShown();
    }

    // With MARNET on, "Channels in each Area" adds or drops the area's own last channels: the
    // MARNET channel stays the row after them, with its cells.
    void channelsPerAreaKeepTheMarnetRow_data() {
        QTest::addColumn<int>("per");
        QTest::newRow("39 -> 38") << 38;
        QTest::newRow("39 -> 40") << 40;
    }
    void channelsPerAreaKeepTheMarnetRow() {
        QFETCH(int, per);
        d_->SetCell(39, ColTxFreq, "140.0000", RecordWrite::Quiet); // the area's last channel
        d_->SetCell(39, ColRxFreq, "140.0000", RecordWrite::Quiet);
        OpenFarmDataSet(3, "0|||||1|12345|40|0|150");
        QCOMPARE(d_->MFG.Rows(), 42);
        const std::vector<std::string> marnet = Cells(*d_)[39];
        QCOMPARE(marnet[ColName2], std::string("MARNET"));
        QCOMPARE(Cell(39, ColTxFreq), std::string("140.0000"));
        QVERIFY(InDialog<Frm_Option>(w_->Menu_RadioOption, [per](Frm_Option* o) {
            o->TxtChInArea->setFocus();
            o->TxtChInArea->selectAll();
            QTest::keyClicks(o->TxtChInArea, QString::number(per));
            QTest::mouseClick(o->CommandOK, Qt::LeftButton);
        }));
        QCOMPARE(Split(d_->RadioOption())[1], std::to_string(per));
        QCOMPARE(d_->MFG.Rows(), per + 3);
        std::vector<std::string> moved = Cells(*d_)[static_cast<size_t>(per)];
        QCOMPARE(moved[ColNo], "Ch:" + std::to_string(per + 1));
        moved[ColNo] = marnet[ColNo];
        QVERIFY(moved == marnet);
        if (per < 39) {
            QCOMPARE(boxes_.texts().size(), 1);
            QVERIFY2(boxes_.texts()[0].contains("Ch:39") && boxes_.texts()[0].contains("140.0000"),
                     qPrintable(boxes_.texts()[0]));
        } else {
            QVERIFY(boxes_.texts().isEmpty());
            QCOMPARE(Cell(39, ColTxFreq), std::string("140.0000"));
            QCOMPARE(Cell(40, ColTxFreq), std::string()); // a new channel of the area
            QCOMPARE(Cell(40, ColName2), std::string());
        }
        boxes_.clear();
        SavedAsShown();
    }

    // ---- texts

    void missingLanguageEntriesGiveTheWindowsTexts() {
        // A program folder whose English file lacks the messages the cell rules show.
        QTemporaryDir home;
        QDir(home.path()).mkdir("Language");
        QVERIFY(QFile::link(QString(VELTRA_APP_DIR) + "/resource", home.filePath("resource")));
        QFile src(QString(VELTRA_APP_DIR) + "/Language/English.lng");
        QVERIFY(src.open(QIODevice::ReadOnly));
        QFile dst(home.filePath("Language/English.lng"));
        QVERIFY(dst.open(QIODevice::WriteOnly));
        while (!src.atEnd()) {
            QByteArray line = src.readLine();
            if (!line.startsWith("Fradio_Msg@@5@@") && !line.startsWith("Fradio_Msg@@9@@")) dst.write(line);
        }
        dst.close();
        qputenv("VELTRA_HOME", home.path().toUtf8());
        w_.reset();
        Start();
        qputenv("VELTRA_HOME", VELTRA_APP_DIR);
        Frm_Radio& w = *w_;
        QVERIFY(boxes_.texts().isEmpty());
        Click(w, 2, 1);
        QTest::keyClicks(w.TxtTxFreq, "abc");
        Key(w.TxtTxFreq, Qt::Key_Return);
        QCOMPARE(boxes_.texts(), QStringList{w.NotNumberMsg});
        QVERIFY(!w.NotNumberMsg.isEmpty());
        QTest::keyClicks(w.TxtTxFreq, "55");
        Key(w.TxtTxFreq, Qt::Key_Return);
        boxes_.clear();
        Click(w, 2, 5);
        ChooseItem(w.lstCTENC, "88.5");
        Click(w, 2, 14);
        QTest::keyClicks(w.TxtCTDEV, "99");
        Key(w.TxtCTDEV, Qt::Key_Return);
        QCOMPARE(boxes_.texts(), QStringList{"Deviation must lie in the range 100--500"});
    }

    void languageSwitchKeepsTheOpenFilesName() {
        Frm_Radio& w = *w_;
        const QString english = w.windowTitle();
        w.Menu_Chinese->trigger();
        QCOMPARE(w.windowTitle(), QString::fromUtf8("数据编辑器  --  [noname.dat]")); // nothing opened yet
        w.Menu_English->trigger();
        QCOMPARE(w.windowTitle(), english);
        const QString file = Path("named.dat");
        files_->answer(file);
        QVERIFY(w.Menu_Save_Click());
        files_->answer(file);
        w.Menu_Open_Click();
        QCOMPARE(w.windowTitle(), "Data Editor  --  [" + file + "]");
        w.Menu_Chinese->trigger();
        QCOMPARE(w.windowTitle(), QString::fromUtf8("数据编辑器  --  [") + file + "]");
        w.Menu_English->trigger();
        QCOMPARE(w.windowTitle(), "Data Editor  --  [" + file + "]");
        w.Menu_New_Click();
        w.Menu_Chinese->trigger();
        QCOMPARE(w.windowTitle(), QString::fromUtf8("数据编辑器  --  [noname.dat]"));
    }

    void rowLabelsWithAreasAreReadWhole() {
        Frm_Radio& w = *w_;
        auto f = Split(kDefaultRadioOption);
        f[0] = "10";
        f[1] = "20";
        d_->SetRadioOption(Join(f), RecordWrite::Quiet);
        AdjustArea_Marnet(*d_);
        UpdateAreaNo(*d_);
        Settle();
        QHeaderView* labels = w.MFG->verticalHeader();
        const QFontMetrics fm(labels->font());
        const int margin = labels->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, labels);
        QCOMPARE(w.MFGModel->headerData(199, Qt::Vertical, Qt::DisplayRole).toString(),
                 QString("Ch:200            Area:10"));
        for (int r = 1; r < d_->MFG.Rows(); ++r) {
            const QString label = w.MFGModel->headerData(r - 1, Qt::Vertical, Qt::DisplayRole).toString();
            QVERIFY2(fm.horizontalAdvance(label) + 2 * margin <= labels->width(), qPrintable(label));
        }
        w.MFG->scrollToBottom();
        Settle();
        Shoot(&w, "ten_areas");
        // One area again: the narrow column comes back.
        const int wide = labels->width();
        w.Menu_New_Click();
        Settle();
        QVERIFY(labels->width() < wide);
        QVERIFY(labels->width() >= Px(kNoColWidthOneArea));
    }

    // The clicked row's label is drawn bold; it is read whole, in either language.
    void currentRowLabelIsReadWholeInBold_data() {
        QTest::addColumn<int>("areas");
        QTest::addColumn<int>("perArea");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("one area") << 1 << 200 << 200 << false;
        QTest::newRow("two areas") << 2 << 100 << 5 << false;
        QTest::newRow("ten areas") << 10 << 20 << 200 << false;
        QTest::newRow("ten areas, Chinese") << 10 << 20 << 200 << true;
    }
    void currentRowLabelIsReadWholeInBold() {
        QFETCH(int, areas);
        QFETCH(int, perArea);
        QFETCH(int, row);
        QFETCH(bool, chinese);
        Frm_Radio& w = *w_;
        if (chinese) w.Menu_Chinese->trigger();
        auto f = Split(kDefaultRadioOption);
        f[0] = std::to_string(areas);
        f[1] = std::to_string(perArea);
        d_->SetRadioOption(Join(f), RecordWrite::Quiet);
        AdjustArea_Marnet(*d_);
        UpdateAreaNo(*d_);
        Settle();
        Click(w, row, 3);
        QCOMPARE(w.MFG->currentIndex().row(), row - 1);
        QHeaderView* labels = w.MFG->verticalHeader();
        QFont bold = labels->font();
        bold.setBold(true);
        const int margin = labels->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, labels);
        const QString label = w.MFGModel->headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString();
        QVERIFY2(QFontMetrics(bold).horizontalAdvance(label) + 2 * margin <= labels->width(), qPrintable(label));
    }
};

QTEST_MAIN(EditsKeptTest)
#include "tst_edits_kept.moc"
