#include "common/TextUtil.h"
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"
#include "editor/codec/ImageCodec.h"
#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/dataset/LngFile.h"
#include "editor/shell/ui/FrmAbout.h"
#include "editor/shell/ui/FrmAbout2.h"
#include "editor/shell/ui/FrmWelcome.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "editor/shell/ui/GridModel.h"
#include "editor/shell/ui/ToolbarIcons.h"
#include "editor/shell/ui/Twips.h"
#include "tests/support/ProgramHome.h"
#include "tests/support/qt/DialogAnswers.h"
#include "tests/support/qt/Screenshots.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <fstream>
#include <optional>
#include <memory>
#include <set>

using namespace vt;

namespace {
QString Screens() { return test::ScreenshotDir(); }

// How many different colours a picture has (a blank one has one).
int Colours(const QImage& img) {
    std::set<QRgb> seen;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2) seen.insert(img.pixel(x, y));
    return static_cast<int>(seen.size());
}

QString Label(const Frm_Radio& w, int row) {
    return w.MFGModel->headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString();
}

// With areas the label column is wider than with one, and every label fits in it.
bool AreaLabelsReadWhole(const Frm_Radio& w) {
    QHeaderView* h = w.MFG->verticalHeader();
    if (h->width() <= Px(640)) return false;
    const QFontMetrics fm(h->font());
    for (int r = 1; r <= w.MFGModel->rowCount(); ++r)
        if (fm.horizontalAdvance(Label(w, r)) > h->width()) return false;
    return true;
}

std::string Options(int areas, int perArea, const char* key16 = "7") {
    auto f = Split(kDefaultRadioOption);
    f[0] = std::to_string(areas);
    f[1] = std::to_string(perArea);
    f[16] = key16;
    return Join(f);
}

// Clicks the button of the modal box that opens next, and remembers its title.
void AnswerNextModal(QString* title) {
    QTimer::singleShot(0, [title] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        *title = box->windowTitle();
        box->grab().save(Screens() + "/about_" + box->objectName() + ".png");
        if (auto* ok = box->findChild<QPushButton*>("Command1")) ok->click();
    });
}
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    test::DialogAnswers dialogs;
    ui::ScriptedMessageBox& boxes = dialogs.boxes;
    ui::ScriptedFileDialog& files = dialogs.files;

private slots:
    void initTestCase() { qputenv("VELTRA_HOME", VELTRA_APP_DIR); }
    void init() { dialogs.Reset(); }

    void freshStart() {
        EditorData d;
        Frm_Radio w(d);
        QVERIFY(boxes.texts().isEmpty()); // the language file was found
        QCOMPARE(w.MFG->objectName(), QString("MFG"));
        QCOMPARE(w.MFGModel->rowCount(), 201);
        QCOMPARE(w.MFGModel->columnCount(), 15);
        QCOMPARE(w.MFGModel->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Tx Freq"));
        QCOMPARE(w.MFGModel->headerData(14, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Power"));
        QCOMPARE(Label(w, 1), QString("Ch:1"));
        QCOMPARE(Label(w, 200), QString("Ch:200"));
        QCOMPARE(Label(w, 201), QString("201"));
        QCOMPARE(w.MFGModel->data(w.MFGModel->index(200, 2), Qt::DisplayRole).toString(), QString("SECOND"));
        QCOMPARE(w.MFGModel->data(w.MFGModel->index(6, 2), Qt::DisplayRole).toString(), QString("7"));
        QCOMPARE(w.MFG->columnWidth(3), Px(1600));
        QCOMPARE(w.lbcurArea->text(), QString("1"));
        QCOMPARE(w.lbArea->text(), QString("AREA   NAME:"));
        QCOMPARE(w.lbBand->text(), QString("Band:  53 -- 60MHz"));
        QCOMPARE(w.windowTitle(), QString("Data Editor  --  [noname.dat]"));
        QCOMPARE(w.Tip->text(), w.DefaultTip);
        QVERIFY(!w.DefaultTip.isEmpty());
        QCOMPARE(d.BandIndex, 1);
        QCOMPARE(d.BandRangeText, std::string("53 -- 60 MHz"));
        for (QAction* a : w.Menu_Band_Item) QVERIFY(!a->isChecked());
        QVERIFY(!w.mnuTRxVol->isVisible());
        QVERIFY(!w.Menu_Band_Item[4]->isVisible());
        QVERIFY(!w.Menu_Band_UHF->menuAction()->isVisible());
        QVERIFY(w.Menu_Band_Item[3]->isVisible());
        QVERIFY(w.Menu_English->isChecked());
        QVERIFY(!w.Menu_Chinese->isChecked());
        QVERIFY(!w.OptionBtn->isEnabled() && !w.AreaBtn->isEnabled() && !w.AdBtn->isEnabled());
        QVERIFY(w.NewBtn->isEnabled() && w.SetupBtn->isEnabled() && w.WriteBtn->isEnabled());
        QCOMPARE(w.SetupBtn->toolTip(), QString("SetUp"));
        QCOMPARE(w.Menu_New->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(w.Menu_Print->shortcut(), QKeySequence("Ctrl+P"));
        QCOMPARE(w.ComboSCAN->count(), 6);
        QCOMPARE(w.ComboSCAN->itemText(1), QString("T"));
        QCOMPARE(w.ComboSelCall->count(), 101);
        QCOMPARE(w.ComboSelCall->itemText(100), QString("100"));
        // The window's own editors carry the lists and lengths of the cell rules.
        QCOMPARE(w.ComboBCLO->count(), 2);
        QCOMPARE(w.ComboScan2->itemText(2), QString("P"));
        QCOMPARE(w.Combo5Tone->count(), 8);
        QCOMPARE(w.Combo5Tone->itemText(7), QString("APM"));
        QCOMPARE(w.ComboANI->itemText(4), QString("TO"));
        QCOMPARE(w.ComboBScan->count(), 2);
        for (QComboBox* c :
             {w.ComboBCLO, w.ComboSCAN, w.ComboScan2, w.Combo5Tone, w.ComboANI, w.ComboSelCall, w.ComboBScan})
            QCOMPARE(c->currentText(), QString("NO"));
        QCOMPARE(w.lstCTENC->count(), 53);
        QCOMPARE(w.lstDCDEC->count(), 105);
        QCOMPARE(w.TxtTxFreq->maxLength(), 9);
        QCOMPARE(w.TxtRxFreq->maxLength(), 9);
        QCOMPARE(w.TxtName1->maxLength(), 8);
        QCOMPARE(w.TxtName2->maxLength(), 16);
        QCOMPARE(w.txtOtherEnc->maxLength(), 5);
        QCOMPARE(w.txtOtherDec->maxLength(), 5);
        w.show();
        QVERIFY(!w.Command1->isVisible());
        QVERIFY(!w.TxtTxFreq->isVisible() && !w.ComboSCAN->isVisible());
        QCOMPARE(d.ShowHexInput, 0);
        QCOMPARE(d.ManualSetupFlag, 1);
        QCOMPARE(d.CommSettings, std::string("9600,n,8,1"));
        QVERIFY(!d.IsModified());
        // The offscreen screen is narrower than 15360 twips.
        QCOMPARE(w.width(), Px(10000));
        QCOMPARE(w.height(), w.Tip->height() + Px(6450));
    }

    void areasThroughTheWindow() {
        EditorData d;
        Frm_Radio w(d);
        d.SetRadioOption(Options(10, 20), RecordWrite::Quiet);
        d.SetFarmMarnetInfo("0|||||1|||0|", RecordWrite::Quiet);
        AdjustArea_Marnet(d);
        UpdateAreaNo(d);
        QCOMPARE(w.MFGModel->rowCount(), 201);
        QCOMPARE(Label(w, 21), QString("Ch:21        " "     Area:2"));
        QVERIFY(AreaLabelsReadWhole(w));
        d.SetAreaName(2, "Harbour", RecordWrite::Quiet);
        QCOMPARE(w.WhichArea(30), std::string("Harbour"));
        d.SetAreaNames({}, RecordWrite::Quiet); // confirmed as they are
        QCOMPARE(w.lbcurArea->text(), QString("Harbour"));
        d.CurrentArea = 0;
        d.SetAreaNames({}, RecordWrite::Quiet);
        QCOMPARE(w.lbcurArea->text(), QString("Click one channel please"));
        QVERIFY(w.AreaNamesEditable());

        d.SetRadioOption(Options(1, 200), RecordWrite::Quiet);
        AdjustArea_Marnet(d);
        UpdateAreaNo(d);
        QCOMPARE(w.MFGModel->rowCount(), 202); // the extra MARNET row
        QCOMPARE(Label(w, 201), QString("Ch:201"));
        QCOMPARE(Label(w, 202), QString("201"));
        QCOMPARE(w.MFG->verticalHeader()->width(), Px(640));
        QVERIFY(!w.AreaNamesEditable());
        // The view follows cells written behind its back.
        d.SetCell(5, 1, "55.5000", RecordWrite::Quiet);
        QCOMPARE(w.MFGModel->data(w.MFGModel->index(4, 0), Qt::DisplayRole).toString(), QString("55.5000"));
    }

    void ruleRunsKeepTheUsersPlaceInTheGrid() {
        EditorData d;
        Frm_Radio w(d);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.SetMFGCell(150, 10);
        const int scrolled = w.MFG->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        d.SetCell(150, 10, "TS", RecordWrite::Quiet);
        d.SetRadioOption(Options(1, 200, "5"), RecordWrite::Quiet);
        UpdateScan(d); // many cells at once
        ValidateT(d);
        QCOMPARE(w.MFG->verticalScrollBar()->value(), scrolled);
        QCOMPARE(w.MFG->currentIndex(), w.MFGModel->index(149, 9));
        QCOMPARE(w.MFGModel->data(w.MFGModel->index(149, 9), Qt::DisplayRole).toString(), QString("S"));
        // A new shape is shown at once, with its widths.
        d.SetRadioOption(Options(2, 100), RecordWrite::Quiet);
        AdjustArea_Marnet(d);
        UpdateAreaNo(d);
        QCOMPARE(w.MFGModel->rowCount(), 201);
        QVERIFY(AreaLabelsReadWhole(w));
        d.MFG.ReportReset();
        QCOMPARE(w.MFGModel->rowCount(), 201);
    }

    void newDataSetGivesBackTheNarrowLabelColumn() {
        EditorData d;
        Frm_Radio w(d);
        d.SetRadioOption(Options(2, 100), RecordWrite::Quiet);
        AdjustArea_Marnet(d);
        UpdateAreaNo(d);
        QVERIFY(AreaLabelsReadWhole(w));
        w.Menu_New->trigger(); // nothing edited: no question
        QVERIFY(boxes.texts().isEmpty());
        QCOMPARE(w.MFGModel->rowCount(), 201);
        QCOMPARE(w.MFG->verticalHeader()->width(), Px(640));
        QCOMPARE(w.MFG->columnWidth(0), Px(960)); // Tx Freq keeps its width
        QCOMPARE(Label(w, 150), QString("Ch:150"));
    }

    void areaLabelDoubleClickOpensAreaNamesOnlyWithAreas() {
        EditorData d;
        Frm_Radio w(d);
        w.show();
        QStringList opened;
        auto watch = [&opened] {
            QTimer::singleShot(0, [&opened] {
                if (QWidget* box = QApplication::activeModalWidget()) {
                    opened << box->objectName();
                    box->close();
                }
            });
        };
        watch();
        QTest::mouseDClick(w.lbcurArea, Qt::LeftButton);
        QTest::qWait(10);
        QVERIFY(opened.isEmpty()); // one area: nothing to name

        d.SetRadioOption(Options(3, 50), RecordWrite::Quiet);
        watch();
        QTest::mouseDClick(w.lbcurArea, Qt::LeftButton);
        QCOMPARE(opened, QStringList{"Frm_Areaname"});
        watch();
        w.Menu_AreaName->trigger();
        QCOMPARE(opened.size(), 2);
    }

    void bandConfirmAndCancel() {
        EditorData d;
        Frm_Radio w(d);
        d.SetCell(1, 1, "150.0000", RecordWrite::Quiet);
        d.SetCell(2, 2, "55.0000", RecordWrite::Quiet);
        d.SetCell(201, 1, "56.0000", RecordWrite::Quiet); // second receiver
        d.SetCell(201, 2, "175", RecordWrite::Quiet);
        w.SetMFGCell(3, 5);
        w.Tip->setText("column five");

        boxes.answer(ui::MsgResult::Cancel);
        w.Menu_Band_Item[3]->trigger();
        QCOMPARE(boxes.shown().size(), size_t(1));
        QCOMPARE(boxes.shown()[0].text, w.BandConfirmMsg);
        QCOMPARE(boxes.shown()[0].title, QString("Tip"));
        QVERIFY(boxes.shown()[0].buttons == ui::MsgButtons::OkCancel);
        QCOMPARE(d.BandIndex, 1);
        QVERIFY(!w.Menu_Band_Item[3]->isChecked());
        QCOMPARE(d.MFG.TextMatrix(2, 2), std::string("55.0000"));
        QCOMPARE(w.lbBand->text(), QString("Band:  53 -- 60MHz"));
        QVERIFY(!d.IsModified());

        boxes.answer(ui::MsgResult::Ok);
        w.Menu_Band_Item[3]->trigger();
        QCOMPARE(d.BandIndex, 3);
        QVERIFY(w.Menu_Band_Item[3]->isChecked());
        QVERIFY(!w.Menu_Band_Item[1]->isChecked());
        QCOMPARE(d.MFG.TextMatrix(1, 1), std::string("150.0000"));
        QCOMPARE(d.MFG.TextMatrix(2, 2), std::string(""));
        QCOMPARE(d.MFG.TextMatrix(201, 1), std::string(""));
        QCOMPARE(d.MFG.TextMatrix(201, 2), std::string("175"));
        QCOMPARE(w.lbBand->text(), QString("Band:  135 -- 175MHz"));
        QVERIFY(d.IsModified()); // the blanked frequencies are asked about on close
        d.ClearModified();
        boxes.answer(ui::MsgResult::Ok);
        w.Menu_Band_Item[3]->trigger(); // blanks nothing more
        QVERIFY(!d.IsModified());
        QCOMPARE(w.Tip->text(), QString("column five")); // not a frequency column
        QVERIFY(w.ColumnTips[0].startsWith("135 -- 175 MHz\n"));
        QVERIFY(w.ColumnTips[1].startsWith("135 -- 175 MHz\n"));

        // On a frequency column the tip follows the band at once.
        w.SetMFGCell(3, 2);
        boxes.answer(ui::MsgResult::Ok);
        w.Menu_Band_Item[0]->trigger();
        QCOMPARE(w.Tip->text(), w.ColumnTips[1]);
        QVERIFY(w.Menu_Band_Item[0]->isChecked());
        QVERIFY(!w.Menu_Band_Item[3]->isChecked());
        QCOMPARE(d.MFG.TextMatrix(1, 1), std::string(""));

        // The decoder's band choice moves the check mark too.
        // (The radio has no UHF tables: a VHF data set, read back while HF 1 is checked.)
        EditorData vhf;
        ResetDataSet(vhf);
        SetBand(vhf, 3);
        vhf.SetCell(1, 2, "150.0000", RecordWrite::Quiet);
        const EncodeResult saved =
            EncodeImage(vhf, LoadCodecTables(vhf.Tables, vhf.VolTables, TablesFor::Encode), ImageSource::File);
        QVERIFY2(saved.ok(), ErrorListText(saved.errors).c_str());
        d.MemImage = saved.image;
        w.DecodeMemImage(ImageSource::File);
        QCOMPARE(d.BandIndex, 3);
        QVERIFY(w.Menu_Band_Item[3]->isChecked());
        QVERIFY(!w.Menu_Band_Item[0]->isChecked());
    }

    // An encode that fails says why and leaves the last good image for the save or write.
    void failedEncodeLeavesTheMemoryImageAlone() {
        EditorData d;
        Frm_Radio w(d);
        d.MemImage.fill(0x5C);
        d.SetCell(1, 1, "54.0000", RecordWrite::Quiet);
        d.SetRadioOption("1|200", RecordWrite::Quiet); // not a whole option record
        boxes.clear();
        QVERIFY(!w.EncodeImageOrReport(ImageSource::File));
        QVERIFY(!boxes.texts().isEmpty());
        QCOMPARE(d.MemImage[100], uint8_t(0x5C));
        QCOMPARE(d.MemImage[kImageSize - 1], uint8_t(0x5C));
    }

    // An opened data set that uses the ACS key offers its own SCAN choices at once.
    void decodedDataSetShowsItsScanChoices() {
        EditorData acs;
        ResetDataSet(acs);
        acs.SetRadioOption(Options(1, 200, "5"), RecordWrite::Quiet);
        acs.SetCell(1, 1, "54.0000", RecordWrite::Quiet);
        acs.SetCell(1, 10, "AS", RecordWrite::Quiet);
        const EncodeResult saved =
            EncodeImage(acs, LoadCodecTables(acs.Tables, acs.VolTables, TablesFor::Encode), ImageSource::File);
        QVERIFY2(saved.ok(), ErrorListText(saved.errors).c_str());

        EditorData d;
        Frm_Radio w(d);
        const QString fileTip = w.ColumnTips[9];
        QCOMPARE(w.ComboSCAN->itemText(1), QString("T"));
        d.MemImage = saved.image;
        w.DecodeMemImage(ImageSource::File);
        QCOMPARE(d.MFG.TextMatrix(1, 10), std::string("AS"));
        QCOMPARE(w.ComboSCAN->itemText(1), QString("A"));
        QCOMPARE(w.ComboSCAN->itemText(5), QString("AP"));
        QVERIFY(!w.ComboSCAN->isVisible());
        QCOMPARE(w.ColumnTips[9], QString("'S'-- scan is required, 'P'-- priority scan, 'A' --- ACS\nDefault is 'NO'"));
        QVERIFY(w.ColumnTips[9] != fileTip);
    }

    void scanRulesInTheWindow() {
        EditorData d;
        Frm_Radio w(d);
        const QString fileTip = w.ColumnTips[9];
        d.SetCell(4, 10, "TS", RecordWrite::Quiet);
        d.SetRadioOption(Options(1, 200, "5"), RecordWrite::Quiet);
        w.UpdateScan();
        QCOMPARE(w.ComboSCAN->itemText(1), QString("A"));
        QCOMPARE(w.ComboSCAN->itemText(5), QString("AP"));
        QCOMPARE(w.ComboSCAN->currentIndex(), 0);
        QVERIFY(!w.ComboSCAN->isVisible());
        QCOMPARE(d.MFG.TextMatrix(4, 10), std::string("AS"));
        QCOMPARE(w.ColumnTips[9], QString("'S'-- scan is required, 'P'-- priority scan, 'A' --- ACS\nDefault is 'NO'"));
        QVERIFY(w.ColumnTips[9] != fileTip);

        w.Menu_Chinese_Click();
        const QString chineseTip = w.ColumnTips[9];
        d.SetRadioOption(kDefaultRadioOption, RecordWrite::Quiet);
        w.UpdateScan();
        QCOMPARE(w.ComboSCAN->itemText(1), QString("T"));
        QCOMPARE(d.MFG.TextMatrix(4, 10), std::string("TS"));
        QCOMPARE(w.ColumnTips[9], chineseTip);

        d.SetCell(20, 10, "TP", RecordWrite::Quiet);
        d.SetCell(3, 10, "P", RecordWrite::Quiet);
        ValidateT(d);
        ValidateP(d);
        QCOMPARE(d.MFG.TextMatrix(20, 10), std::string(""));
        QCOMPARE(w.IsTAvailable(16), 1);
        w.CurRow = 8;
        d.CurrentArea = 1;
        w.AdjustP();
        QCOMPARE(d.MFG.TextMatrix(3, 10), std::string(""));
    }

    void languageSwitchChangesCaptionsOnly() {
        EditorData d;
        Frm_Radio w(d);
        d.SetCell(7, 1, "55.0000", RecordWrite::Quiet);
        d.SetCell(7, 4, "ALPHA", RecordWrite::Quiet);
        std::vector<std::string> before;
        for (int r = 0; r < d.MFG.Rows(); ++r)
            for (int c = 0; c < d.MFG.Cols(); ++c) before.push_back(d.MFG.TextMatrix(r, c));
        const QString englishFile = w.Menu_File->title(), englishTip = w.DefaultTip;

        w.Menu_Chinese->trigger();
        QVERIFY(boxes.texts().isEmpty());
        QCOMPARE(d.LangCode, std::string("chs"));
        QVERIFY(w.Menu_Chinese->isChecked() && !w.Menu_English->isChecked());
        QCOMPARE(w.Menu_File->title(), QString::fromUtf8("文件(&F)"));
        QCOMPARE(w.Menu_Band->title(), QString::fromUtf8("频段(&B)"));
        QCOMPARE(w.lbBand->text(), QString::fromUtf8("频段：  53 -- 60MHz"));
        QCOMPARE(w.windowTitle(), QString::fromUtf8("数据编辑器  --  [noname.dat]"));
        QCOMPARE(w.ReadBtn->toolTip(), QString::fromUtf8("从电台读取信道数据"));
        QVERIFY(w.DefaultTip != englishTip);
        QCOMPARE(w.Tip->text(), w.DefaultTip);
        // Designed captions that no language text replaces.
        QCOMPARE(w.Menu_PrintFile->text(), QString("Print To File"));
        QCOMPARE(w.Menu_Band_Item[1]->text(), QString("53 -- 60 MHz"));
        QCOMPARE(w.mnuTRxVol->text(), QString("TRxVoltage"));

        std::vector<std::string> after;
        for (int r = 0; r < d.MFG.Rows(); ++r)
            for (int c = 0; c < d.MFG.Cols(); ++c) after.push_back(d.MFG.TextMatrix(r, c));
        QVERIFY(after == before);
        QCOMPARE(d.BandIndex, 1);
        QVERIFY(!d.IsModified());

        w.Menu_English->trigger();
        QCOMPARE(w.Menu_File->title(), englishFile);
        QCOMPARE(w.DefaultTip, englishTip);
        QVERIFY(w.Menu_English->isChecked() && !w.Menu_Chinese->isChecked());
        QCOMPARE(w.windowTitle(), QString("Data Editor  --  [noname.dat]"));
    }

    void missingLanguageFileIsReportedAndTheEditorGoesOn() {
        std::optional<test::ProgramHome> empty(std::in_place, "veltra-empty-home");
        EditorData d;
        Frm_Radio w(d);
        empty.reset();
        // The voltage tables are missing as well; each kind of file is reported once.
        QCOMPARE(boxes.texts().size(), 2);
        QVERIFY(boxes.texts()[0].startsWith("Can not Find correct \\Resource\\RX_VOL0.tbl"));
        QCOMPARE(boxes.texts()[1], QString("Not Found Lng file, Please ReInstall the software!"));
        QCOMPARE(w.MFGModel->rowCount(), 201);
        // The window stays usable: designed captions, English questions.
        QCOMPARE(w.Menu_File->title(), QString("&File"));
        QCOMPARE(w.Menu_Option->title(), QString("&Option"));
        QCOMPARE(w.Menu_SetUp->text(), QString("SetUp"));
        QCOMPARE(w.ReadBtn->toolTip(), QString("Read CH Data From Radio"));
        QCOMPARE(w.windowTitle(), QString("Data Editor  --  [noname.dat]"));
        QCOMPARE(w.lbArea->text(), QString("AREA   NAME:"));
        QVERIFY(w.SaveChangesMsg.contains("save"));
        QVERIFY(!w.BandConfirmMsg.isEmpty());
        // Once the file is back, a language command brings the texts.
        w.Menu_Chinese_Click();
        QCOMPARE(w.Menu_File->title(), QString::fromUtf8("文件(&F)"));
        QCOMPARE(boxes.texts().size(), 2);
    }

    void closePrompt() {
        {
            EditorData d;
            Frm_Radio w(d);
            w.show();
            QVERIFY(w.close());
            QVERIFY(boxes.texts().isEmpty());
        }
        {
            EditorData d;
            Frm_Radio w(d);
            w.show();
            d.MarkModified();
            boxes.answer(ui::MsgResult::No);
            QVERIFY(w.close());
            QCOMPARE(boxes.texts(), QStringList{w.SaveChangesMsg});
            QVERIFY(boxes.shown()[0].buttons == ui::MsgButtons::YesNoEscapeCancels);
        }
        {
            // Yes, then the Save As dialog is cancelled: the window stays with its data.
            boxes.clear();
            EditorData d;
            Frm_Radio w(d);
            w.show();
            d.MarkModified();
            boxes.answer(ui::MsgResult::Yes);
            QVERIFY(!w.close());
            QVERIFY(w.isVisible());
            QCOMPARE(boxes.texts().first(), w.SaveChangesMsg);
            boxes.answer(ui::MsgResult::No);
            w.Menu_Exit->trigger();
            QVERIFY(!w.isVisible());
        }
    }

    // Qt's own texts follow the language: the close question's real box, asked in Chinese and
    // then in English, answered by Escape (the window stays).
    void standardButtonsFollowTheLanguage() {
        ui::QtMessageBox real;
        ui::ScopedMessageBox scope(&real);
        EditorData d;
        Frm_Radio w(d);
        w.show();
        d.MarkModified();
        const struct {
            QAction* menu;
            QString yes, no, picture;
        } table[] = {{w.Menu_Chinese, QString::fromUtf8("是(&Y)"), QString::fromUtf8("否(&N)"), "chinese"},
                     {w.Menu_English, "&Yes", "&No", "english"}};
        for (const auto& row : table) {
            row.menu->trigger();
            QStringList buttons;
            QTimer::singleShot(0, [&buttons, &row] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                for (QAbstractButton* b : box->buttons())
                    if (b->isVisible()) buttons << b->text();
                box->grab().save(Screens() + "/close_question_" + row.picture + ".png");
                QTest::keyClick(box, Qt::Key_Escape);
            });
            QVERIFY(!w.close());
            QStringList want{row.yes, row.no};
            buttons.sort();
            want.sort();
            QCOMPARE(buttons, want);
        }
    }

    void aboutBoxFollowsTheLanguage() {
        EditorData d;
        Frm_Radio w(d);
        w.show();
        QString title;
        AnswerNextModal(&title);
        w.Menu_About->trigger();
        QCOMPARE(title, QString("About Pelican"));
        w.Menu_Chinese_Click();
        AnswerNextModal(&title);
        w.Menu_About->trigger();
        QCOMPARE(title, QString::fromUtf8("关于 Moravel"));
        // A second opening finds the same box, still loaded.
        auto* box = w.findChild<FrmAbout*>();
        QVERIFY(box);
        QCOMPARE(box->Command1->text(), QString::fromUtf8("确定(&O)"));
        AnswerNextModal(&title);
        w.Menu_About->trigger();
        QCOMPARE(w.findChildren<FrmAbout*>().size(), 1);
        QVERIFY(!box->isVisible());
    }

    void splashHandsOverToTheMainWindow() {
        int shown = 0;
        auto* splash = new FrmWelcome([&] { ++shown; });
        QPointer<FrmWelcome> guard(splash);
        QCOMPARE(splash->Timer1->interval(), 2000);
        QVERIFY(splash->Timer1->isActive());
        QVERIFY(splash->Timer1->isSingleShot());
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        splash->show();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(splash->geometry().center().x() - screen.center().x()) <= 1);
        QImage img = splash->grab().toImage();
        img.save(Screens() + "/splash.png");
        QVERIFY(Colours(img) > 20);
        QCOMPARE(shown, 0);
        splash->Timer1_Timer();
        QCOMPARE(shown, 1);
        QVERIFY(!splash->isVisible());
        QTRY_VERIFY(guard.isNull()); // gone for good
    }

    // A language file too large to be read: its message shows while the editor starts, and
    // nothing that stays on top of every window covers it.
    void startUpMessagesAreNotHiddenUnderTheSplash() {
        struct SeenOnTop : ui::ScriptedMessageBox {
            QStringList covered;
            ui::MsgResult show(QWidget* parent, const QString& text, const QString& title, ui::MsgButtons buttons,
                               ui::MsgIcon icon) override {
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (top->isVisible() && top->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
                        covered << text;
                return ScriptedMessageBox::show(parent, text, title, buttons, icon);
            }
        } boxes;
        ui::ScopedMessageBox scope(&boxes);
        test::ProgramHome home("veltra-large-lng");
        test::LinkProgramTables(home.Path(), {"resource"});
        std::filesystem::create_directories(home.File("Language"));
        std::ofstream(home.File("Language/English.lng")) << std::string(kMaxLngFileSize + 1, '#');
        EditorData d;
        std::unique_ptr<Frm_Radio> w;
        auto* splash = new FrmWelcome([&] {
            w = std::make_unique<Frm_Radio>(d);
            w->show();
        });
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QTest::qWait(splash->Timer1->interval() + 200); // its own timer, as at a real start
        QVERIFY(w && w->isVisible());
        QCOMPARE(boxes.texts(), QStringList{kLngFileErrorMsg});
        QCOMPARE(boxes.covered, QStringList{});
    }

    void toolbarPicturesAreDrawnAndDistinct() {
        EditorData d;
        Frm_Radio w(d);
        QToolButton* buttons[] = {w.NewBtn,  w.OpenBtn,  w.SaveBtn, w.OptionBtn, w.AreaBtn,
                                  w.AdBtn,   w.SetupBtn, w.ReadBtn, w.WriteBtn};
        QImage sheet(9 * 52, 52, QImage::Format_ARGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        std::vector<QImage> seen;
        for (int i = 0; i < 9; ++i) {
            QImage img = buttons[i]->icon().pixmap(48, 48).toImage();
            QVERIFY2(Colours(img) > 3, qPrintable(buttons[i]->objectName()));
            for (const QImage& other : seen) QVERIFY(img != other);
            seen.push_back(img);
            p.drawImage(i * 52 + 2, 2, img);
        }
        p.end();
        sheet.save(Screens() + "/toolbar_pictures.png");
        // The inactive buttons show greyed pictures.
        QVERIFY(w.OptionBtn->icon().pixmap(24, 24, QIcon::Disabled).toImage() !=
                w.OptionBtn->icon().pixmap(24, 24, QIcon::Normal).toImage());
    }

    void screenshotsInBothLanguages() {
        EditorData d;
        Frm_Radio w(d);
        const char* rows[][6] = {{"55.1250", "55.1250", "BASE", "88.5", "023", "S"},
                                 {"56.0000", "57.5000", "MOBILE", "", "754", "P"}};
        for (int r = 0; r < 2; ++r) {
            const int cols[] = {1, 2, 4, 5, 7, 10};
            for (int k = 0; k < 6; ++k) d.SetCell(r + 1, cols[k], rows[r][k], RecordWrite::Quiet);
        }
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QImage eng = w.grab().toImage();
        eng.save(Screens() + "/mainwindow_eng.png");
        w.Menu_Chinese_Click();
        QTest::qWait(20); // the menu bar lays out its new titles
        QImage chs = w.grab().toImage();
        chs.save(Screens() + "/mainwindow_chs.png");
        QVERIFY(Colours(eng) > 8);
        QVERIFY(Colours(chs) > 8);
        // The menu bar reads differently in the two languages.
        const int mh = w.menuBar()->height();
        QVERIFY(eng.copy(0, 0, eng.width(), mh) != chs.copy(0, 0, chs.width(), mh));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
