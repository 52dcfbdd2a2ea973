// One working session as a radio technician has it, through the real main window: options for
// two areas, area names, two channels filled with the cell editors, a 5-tone call, save, New,
// open again, the text report, and the language switched to Chinese and back. The slots run in
// order on one window; each step checks what the user sees.
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"
#include "editor/dataset/EditorData.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "editor/shell/ui/GridModel.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/ui/Frm_5Tone.h"
#include "editor/settings/ui/Frm_Areaname.h"
#include "editor/settings/ui/Frm_Option.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/DialogAnswers.h"
#include "tests/support/qt/Screenshots.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

using namespace vt;

namespace {
constexpr int kChannels = 20; // per area in this session
constexpr int kArea2Row = kChannels + 1;

void Shoot(QWidget* w, const QString& name) { test::SaveScreenshot(*w, "session_" + name + ".png"); }

void Settle() { QCoreApplication::processEvents(); }

void Key(QWidget* w, Qt::Key k) {
    QTest::keyClick(w, k);
    Settle();
}

void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    Settle();
}

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

void ChooseItem(QListWidget* list, int index) {
    QListWidgetItem* item = list->item(index);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    Settle();
}

// Runs fn on the modal window the action opens (exec blocks until it closes); a window that
// fn leaves open is closed as with Esc. Returns whether a modal window came up.
bool WithModal(QWidget* main, QAction* action, const std::function<void(QDialog*)>& fn) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dlg) return;
        seen = true;
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
        fn(dlg);
        if (dlg->isVisible()) dlg->reject();
    });
    action->trigger();
    Settle();
    // The window manager gives the main window back its activation; the offscreen platform
    // does not, and the cell editors' focus changes need it.
    main->activateWindow();
    [[maybe_unused]] bool active = QTest::qWaitForWindowActive(main);
    return seen;
}

// Buttons a user would have to guess at: no caption and no picture (check boxes may carry
// their caption in a label beside them; the grids' corner buttons have no name).
QStringList EmptyCaptions(QWidget* top) {
    QStringList empty;
    for (auto* b : top->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(top) && !b->objectName().isEmpty() && !b->objectName().startsWith("qt_") &&
            b->text().trimmed().isEmpty() && b->icon().isNull() && !qobject_cast<QCheckBox*>(b))
            empty << b->objectName();
    return empty;
}

bool HasHan(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) return true;
    return false;
}
} // namespace

class UserSessionTest : public QObject {
    Q_OBJECT
    test::DialogAnswers dialogs_;
    ui::ScriptedMessageBox& boxes_ = dialogs_.boxes;
    ui::ScriptedFileDialog& files_ = dialogs_.files;
    test::TempDir tmp_{"veltra-user-session"};
    std::unique_ptr<EditorData> d_;
    std::unique_ptr<Frm_Radio> w_;
    // What the user had on screen when saving, to compare after opening.
    std::vector<std::vector<std::string>> savedCells_;
    std::string savedOption_, savedFiveToneInfo_, savedCall_;
    std::array<std::string, 11> savedNames_{};

    std::string Cell(int r, int c) const { return d_->MFG.TextMatrix(r, c); }
    QString Header(int col) const { return w_->MFGModel->headerData(col - 1, Qt::Horizontal, Qt::DisplayRole).toString(); }
    QString DatPath() const { return test::QPath(tmp_.File("site.dat")); }
    void NoBoxes() { QVERIFY2(boxes_.texts().isEmpty(), qPrintable(boxes_.texts().join(" / "))); }

    // A channel as a technician types it: frequencies, names, tones, flags, deviation, power.
    void FillChannel(int row, const QString& tx, const QString& rx, const QString& name1, const QString& name2,
                     int ctcssEnc, int dcsDec, const QString& scan, const QString& power) {
        Frm_Radio& w = *w_;
        Click(w, row, 1);
        QVERIFY(w.TxtTxFreq->isVisible());
        QTest::keyClicks(w.TxtTxFreq, tx);
        Key(w.TxtTxFreq, Qt::Key_Return);
        QVERIFY(w.TxtRxFreq->isVisible()); // Enter moves on to the next column
        QTest::keyClicks(w.TxtRxFreq, rx);
        Key(w.TxtRxFreq, Qt::Key_Return);
        QTest::keyClicks(w.TxtName1, name1);
        Key(w.TxtName1, Qt::Key_Return);
        QTest::keyClicks(w.TxtName2, name2);
        Key(w.TxtName2, Qt::Key_Return);

        Click(w, row, 5);
        QVERIFY(w.lstCTENC->isVisible());
        ChooseItem(w.lstCTENC, ctcssEnc);
        Click(w, row, 8);
        QVERIFY(w.lstDCDEC->isVisible());
        ChooseItem(w.lstDCDEC, dcsDec);
        Click(w, row, 9);
        QVERIFY(w.ComboBCLO->isVisible());
        Key(w.ComboBCLO, Qt::Key_Down);
        Key(w.ComboBCLO, Qt::Key_Tab);
        Click(w, row, 10);

        QVERIFY(w.ComboSCAN->isVisible());
        QTest::keyClicks(w.ComboSCAN, scan);
        Key(w.ComboSCAN, Qt::Key_Tab);
        Click(w, row, 12);
        QVERIFY(w.ComboANI->isVisible());
        Key(w.ComboANI, Qt::Key_Down);
        Key(w.ComboANI, Qt::Key_Tab);
        Click(w, row, 15);
        QVERIFY(w.TxtPower->isVisible());
        QTest::keyClicks(w.TxtPower, power);
        Key(w.TxtPower, Qt::Key_Return);
    }

private slots:
    void initTestCase() {
        qputenv("VELTRA_HOME", VELTRA_APP_DIR);
        d_ = std::make_unique<EditorData>();
        w_ = std::make_unique<Frm_Radio>(*d_);
        w_->show();
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    void init() { boxes_.clear(); } // a failed step does not fail the next ones
    void cleanupTestCase() {
        w_.reset();
        d_.reset();
    }

    void startsWithAnEmptyEnglishGrid() {
        NoBoxes();
        Shoot(w_.get(), "start_eng");
        QVERIFY(w_->windowTitle().endsWith("[noname.dat]"));
        QCOMPARE(Header(1), QString("Tx Freq"));
        QCOMPARE(Header(15), QString("Power"));
        QCOMPARE(d_->MFG.Rows(), 202);
        QCOMPARE(Cell(201, 0), std::string("201"));
        QVERIFY(w_->lbBand->text().contains("53 -- 60"));
        QCOMPARE(w_->Tip->text(), w_->DefaultTip);
        QVERIFY(!w_->DefaultTip.isEmpty());
        for (QAction* a : w_->menuBar()->actions()) QVERIFY(!a->text().isEmpty());
    }

    void optionsForTwoAreas() {
        const bool opened = WithModal(w_.get(), w_->Menu_RadioOption, [this](QDialog* dlg) {
            auto* o = qobject_cast<Frm_Option*>(dlg);
            QVERIFY(o);
            QVERIFY(!o->windowTitle().isEmpty());
            QCOMPARE(o->TxtNumberArea->text(), QString("1"));
            Shoot(o, "option_eng");
            Type(o->TxtNumberArea, "2");
            Type(o->TxtChInArea, QString::number(kChannels));
            o->ChkBeep->setFocus();
            QTest::mouseClick(o->ChkBeep, Qt::LeftButton, {}, QPoint(4, o->ChkBeep->height() / 2));
            Type(o->TxtScanTCh, "300");
            QTest::mouseClick(o->CommandOK, Qt::LeftButton);
            Settle();
            QVERIFY(!o->isVisible());
        });
        QVERIFY(opened);
        NoBoxes();
        QVERIFY(d_->IsModified());
        QCOMPARE(d_->MFG.Rows(), 2 * kChannels + 2);
        QCOMPARE(d_->MFG.TextMatrix(2 * kChannels + 1, 0), std::string("201"));
        QCOMPARE(d_->RadioOption().substr(0, 5), std::string("2|20|"));
    }

    void namesTheAreas() {
        QVERIFY(w_->AreaNamesEditable());
        const bool opened = WithModal(w_.get(), w_->Menu_AreaName, [this](QDialog* dlg) {
            auto* a = qobject_cast<Frm_Areaname*>(dlg);
            QVERIFY(a);
            QCOMPARE(a->Rows(), 3); // header and two areas
            auto click = [a](int row) {
                QRect r = a->MFGArea->visualRect(a->MFGArea->model()->index(row - 1, 2));
                QTest::mouseClick(a->MFGArea->viewport(), Qt::LeftButton, {}, r.center());
                Settle();
            };
            click(1);
            QVERIFY(a->txtName->isVisible());
            a->txtName->selectAll();
            QTest::keyClicks(a->txtName, "NORTH");
            click(2);
            a->txtName->selectAll();
            QTest::keyClicks(a->txtName, "SOUTH");
            Key(a->txtName, Qt::Key_Return);
            Shoot(a, "areaname_eng");
            QTest::mouseClick(a->Command1, Qt::LeftButton);
            Settle();
        });
        QVERIFY(opened);
        NoBoxes();
        QCOMPARE(d_->AreaNames()[1], std::string("NORTH"));
        QCOMPARE(d_->AreaNames()[2], std::string("SOUTH"));
    }

    void fillsOneChannelInEachArea() {
        FillChannel(1, "55.0125", "55.5", "GATE", "North entrance", 9, 104, "TS", "40");
        NoBoxes();
        QCOMPARE(w_->lbcurArea->text(), QString("NORTH"));
        FillChannel(kArea2Row, "57.1", "57.1", "YARD", "South yard", 12, 1, "TS", "10");
        NoBoxes();
        QCOMPARE(w_->lbcurArea->text(), QString("SOUTH"));
        Shoot(w_.get(), "channels_filled");

        const char* first[] = {"",    "55.0125", "55.5000", "GATE", "North entrance", "88.5", "", "",
                               "754", "YES",     "TS",      "",     "L",              "",     "250", "40"};
        for (int c = 1; c <= 15; ++c)
            QVERIFY2(Cell(1, c) == first[c], qPrintable(QString("column %1: '%2'").arg(c).arg(Cell(1, c).c_str())));
        QCOMPARE(Cell(kArea2Row, 1), std::string("57.1000"));
        QCOMPARE(Cell(kArea2Row, 3), std::string("YARD"));
        QCOMPARE(Cell(kArea2Row, 5), std::string("97.4"));
        QCOMPARE(Cell(kArea2Row, 8), std::string("023"));
        QCOMPARE(Cell(kArea2Row, 15), std::string("10"));
    }

    void addsAFiveToneCall() {
        const bool opened = WithModal(w_.get(), w_->Menu_5Tone, [this](QDialog* dlg) {
            auto* t = qobject_cast<Frm_5Tone*>(dlg);
            QVERIFY(t);
            Type(t->TxtID, "54321");
            QTableView* v = t->MFG5Tone;
            QModelIndex i = v->model()->index(0, 0);
            QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(i).center());
            Settle();
            QVERIFY(t->txtCallTone->isVisible());
            QTest::keyClicks(t->txtCallTone, "12345");
            Key(t->txtCallTone, Qt::Key_Return);
            QCOMPARE(t->List().Cell(1, 1), std::string("CALL 12345"));
            Shoot(t, "5tone_eng");
            QTest::mouseClick(t->Command1, Qt::LeftButton);
            Settle();
            QVERIFY(!t->isVisible());
        });
        QVERIFY(opened);
        NoBoxes();
        QVERIFY(d_->FiveToneInfo().rfind("54321|", 0) == 0);
        QVERIFY(d_->FiveToneChannels()[1].rfind("CALL 12345|", 0) == 0);
    }

    void savesNewAndOpensItBack() {
        savedCells_.assign(static_cast<size_t>(d_->MFG.Rows()), {});
        for (int r = 0; r < d_->MFG.Rows(); ++r)
            for (int c = 0; c < d_->MFG.Cols(); ++c) savedCells_[static_cast<size_t>(r)].push_back(Cell(r, c));
        savedOption_ = d_->RadioOption();
        savedFiveToneInfo_ = d_->FiveToneInfo();
        savedCall_ = d_->FiveToneChannels()[1];
        savedNames_ = d_->AreaNames();

        files_.answer(DatPath());
        w_->Menu_Save->trigger();
        Settle();
        NoBoxes();
        QCOMPARE(QFileInfo(DatPath()).size(), qint64(16001));
        QVERIFY(!d_->IsModified());
        QVERIFY(w_->windowTitle().endsWith("[" + DatPath() + "]"));

        w_->Menu_New->trigger(); // nothing unsaved: no question
        Settle();
        NoBoxes();
        QCOMPARE(d_->MFG.Rows(), 202);
        QCOMPARE(Cell(1, 1), std::string());
        QCOMPARE(d_->AreaNames()[1], std::string("1"));
        QVERIFY(w_->windowTitle().endsWith("[noname.dat]"));
        QVERIFY(w_->lbBand->text().contains("32 -- 49")); // New goes back to the first band

        files_.answer(DatPath());
        w_->Menu_Open->trigger();
        Settle();
        NoBoxes();
        QVERIFY(!d_->IsModified());
        QCOMPARE(d_->MFG.Rows(), static_cast<int>(savedCells_.size()));
        const int second = d_->MFG.Rows() - 1;
        for (int r = 0; r < d_->MFG.Rows(); ++r)
            for (int c = 0; c < d_->MFG.Cols(); ++c)
                if (r != second || c != 14) // CT DEV is not stored; see the check below
                QVERIFY2(Cell(r, c) == savedCells_[static_cast<size_t>(r)][static_cast<size_t>(c)],
                         qPrintable(QString("cell %1,%2: '%3' instead of '%4'")
                                        .arg(r)
                                        .arg(c)
                                        .arg(Cell(r, c).c_str())
                                        .arg(savedCells_[static_cast<size_t>(r)][static_cast<size_t>(c)].c_str())));
        QCOMPARE(d_->RadioOption(), savedOption_);
        QCOMPARE(d_->FiveToneInfo(), savedFiveToneInfo_);
        QCOMPARE(d_->FiveToneChannels()[1], savedCall_);
        QCOMPARE(d_->AreaNames()[1], savedNames_[1]);
        QCOMPARE(d_->AreaNames()[2], savedNames_[2]);
        QVERIFY(w_->lbBand->text().contains("53 -- 60")); // taken from channel 1

        // The grid the user sees shows the same texts as the store.
        QCOMPARE(w_->MFGModel->data(w_->MFGModel->index(0, 2), Qt::DisplayRole).toString(), QString("GATE"));
        Click(*w_, kArea2Row, 3);
        QCOMPARE(w_->lbcurArea->text(), QString("SOUTH"));
        Key(w_->TxtName1, Qt::Key_Escape);
    }

    void exportsTheReport() {
        const QString path = test::QPath(tmp_.File("site.txt"));
        files_.answer(path);
        w_->Menu_PrintFile->trigger();
        Settle();
        NoBoxes();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.contains("55.0125"));
        QVERIFY(text.contains("57.1000"));
        QVERIFY(text.contains("North entrance"));
        QVERIFY(text.contains("NORTH"));
        QVERIFY(text.contains("SOUTH"));
        QVERIFY(text.contains("12345"));
        QVERIFY(!text.contains("noname"));
    }

    void everyDialogHasRealTextsInBothLanguages() {
        files_.answer(DatPath()); // saved again, so that only the dialogs could change the data
        QVERIFY(w_->Menu_Save_Click());
        QVERIFY(!d_->IsModified());
        for (const char* lang : {"eng", "chs"}) {
            if (QString(lang) == "chs") w_->Menu_Chinese->trigger();
            Settle();
            for (QAction* a : {w_->Menu_RadioOption, w_->Menu_AreaName, w_->Menu_5Tone, w_->Menu_SetUp, w_->Menu_About}) {
                const QString name = a->objectName() + "_" + lang;
                const bool opened = WithModal(w_.get(), a, [&](QDialog* dlg) {
                    Shoot(dlg, name);
                    QVERIFY2(!dlg->windowTitle().trimmed().isEmpty(), qPrintable(name));
                    const QStringList empty = EmptyCaptions(dlg);
                    QVERIFY2(empty.isEmpty(), qPrintable(name + ": " + empty.join(", ")));
                    if (QString(lang) == "chs" && a != w_->Menu_About) {
                        bool han = HasHan(dlg->windowTitle());
                        for (auto* l : dlg->findChildren<QLabel*>()) han = han || HasHan(l->text());
                        for (auto* b : dlg->findChildren<QAbstractButton*>()) han = han || HasHan(b->text());
                        QVERIFY2(han, qPrintable(name + " shows no Chinese text"));
                    }
                });
                QVERIFY2(opened, qPrintable(name));
                NoBoxes();
            }
        }
        QVERIFY(!d_->IsModified()); // looking at the dialogs changes nothing
    }

    void chineseAndBackToEnglish() {
        w_->Menu_Chinese->trigger();
        Settle();
        NoBoxes();
        QVERIFY(w_->Menu_Chinese->isChecked());
        QCOMPARE(Header(1), QString("Tx Freq")); // the grid headings are not translated
        QVERIFY(HasHan(w_->menuBar()->actions().first()->text()));
        QVERIFY(HasHan(w_->Tip->text()));
        Shoot(w_.get(), "main_chs");
        // Cells keep their data whatever the language.
        QCOMPARE(Cell(1, 3), std::string("GATE"));
        QCOMPARE(Cell(1, 10), std::string("TS"));
        Click(*w_, 1, 9);
        QVERIFY(w_->ComboBCLO->isVisible());
        Shoot(w_.get(), "combo_chs");
        Key(w_->ComboBCLO, Qt::Key_Escape);

        w_->Menu_English->trigger();
        Settle();
        NoBoxes();
        QCOMPARE(Header(1), QString("Tx Freq"));
        QVERIFY(w_->lbBand->text().contains("53 -- 60"));
        QCOMPARE(Cell(1, 9), std::string("YES"));
    }

    // Last, since it clears the 53-60 MHz channels: a VHF data set with the band's edges.
    void vhfBandRoundTrip() {
        boxes_.answer(ui::MsgResult::Ok);
        w_->Menu_Band_Item[3]->trigger();
        Settle();
        QCOMPARE(boxes_.texts().size(), 1); // asked first
        boxes_.clear();
        QVERIFY(w_->lbBand->text().contains("135 -- 175"));
        QVERIFY(w_->Menu_Band_Item[3]->isChecked());
        QCOMPARE(Cell(1, 1), std::string()); // 55 MHz lies outside the new band
        FillChannel(1, "150.0125", "151.5", "A", "B", 3, 2, "TS", "7");
        FillChannel(2, "174.99", "135", "C", "D", 5, 6, "", "50");
        NoBoxes();
        QCOMPARE(Cell(2, 1), std::string("174.9875")); // down to the 12.5 kHz step

        const QString path = test::QPath(tmp_.File("vhf.dat"));
        files_.answer(path);
        w_->Menu_Save->trigger();
        Settle();
        w_->Menu_New->trigger();
        Settle();
        files_.answer(path);
        w_->Menu_Open->trigger();
        Settle();
        NoBoxes();
        QVERIFY(w_->lbBand->text().contains("135 -- 175"));
        const char* ch1[] = {"", "150.0125", "151.5000", "A", "B", "71.9", "", "", "025", "YES", "TS", "", "L", "", "250", "7"};
        const char* ch2[] = {"", "174.9875", "135.0000", "C", "D", "77.0", "", "", "036", "YES", "", "", "L", "", "250", "50"};
        for (int c = 1; c <= 15; ++c) {
            QCOMPARE(Cell(1, c), std::string(ch1[c]));
            QCOMPARE(Cell(2, c), std::string(ch2[c]));
        }
    }
};

QTEST_MAIN(UserSessionTest)
#include "tst_user_session.moc"
