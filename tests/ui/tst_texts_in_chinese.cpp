// What the editor says beyond its windows' own captions, in Chinese when Chinese is chosen: the
// open's refusal of a file and its list of replaced values, the word at Save about what the radio
// cannot keep, the refusal of a character in a name, and the second receiver's Rx tip.
#include "common/TextUtil.h"
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"
#include "common/ui/Printer.h"
#include "editor/codec/ImageLayout.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "editor/shell/ui/GridModel.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace vt;

namespace {
void Key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(w, k, m);
    QCoreApplication::processEvents();
}

void Click(Frm_Radio& w, int row, int col) {
    QModelIndex i = w.MFGModel->index(row - 1, col - 1);
    w.MFG->scrollTo(i);
    QCoreApplication::processEvents();
    QTest::mouseClick(w.MFG->viewport(), Qt::LeftButton, {}, w.MFG->visualRect(i).center());
    QCoreApplication::processEvents();
}

// Words of the English texts that a Chinese box must not show.
bool SpeaksEnglish(const QString& text) {
    for (const char* word : {"channel row", "stored", "The file holds", "dropped", "record", "character", "byte",
                             "Channel", "Name of area", "options hold"})
        if (text.contains(QLatin1String(word))) return true;
    return false;
}
} // namespace

class TextsInChineseTest : public QObject {
    Q_OBJECT
    ui::ScriptedMessageBox boxes_;
    ui::ScriptedFileDialog files_;
    std::unique_ptr<ui::ScopedMessageBox> boxScope_;
    std::unique_ptr<ui::ScopedFileDialog> fileScope_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<EditorData> d_;
    std::unique_ptr<Frm_Radio> w_;

    QString Path(const char* name) const { return dir_->filePath(name); }
    QString OnlyBox() {
        if (boxes_.texts().size() != 1) return "boxes: " + boxes_.texts().join(" / ");
        return boxes_.texts().front();
    }

private slots:
    void initTestCase() { qputenv("VELTRA_HOME", VELTRA_APP_DIR); }
    void init() {
        boxes_.clear();
        boxScope_ = std::make_unique<ui::ScopedMessageBox>(&boxes_);
        fileScope_ = std::make_unique<ui::ScopedFileDialog>(&files_);
        dir_ = std::make_unique<QTemporaryDir>();
        d_ = std::make_unique<EditorData>();
        w_ = std::make_unique<Frm_Radio>(*d_);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->Menu_Chinese->trigger();
        QCOMPARE(d_->LangCode, std::string("chs"));
        w_->Menu_New_Click();
    }
    void cleanup() {
        w_.reset();
        d_.reset();
        dir_.reset();
        fileScope_.reset();
        boxScope_.reset();
    }

    void aShortDataFileIsRefusedWithItsNameAndWhy() {
        QFile f(Path("short.dat"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(10, '\0'));
        f.close();
        files_.answer(Path("short.dat"));
        w_->Menu_Open_Click();
        QCOMPARE(OnlyBox(), QString::fromUtf8("无法读取该数据文件。\n") + Path("short.dat") +
                                QString::fromUtf8("\n该文件只有 10 个字节，少于一个电台数据映像。"));
    }

    // Channels the options no longer hold are listed as dropped, their field named in Chinese.
    void theOpensListOfReplacedValues() {
        for (int r = 1; r <= 3; ++r) {
            d_->SetCell(r, ColTxFreq, "53.0000", RecordWrite::Quiet);
            d_->SetCell(r, ColRxFreq, "53.0000", RecordWrite::Quiet);
        }
        files_.answer(Path("three.dat"));
        QVERIFY(w_->Menu_Save_Click());
        QFile f(Path("three.dat"));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek(static_cast<qint64>(layout::opt::ChannelsPerArea)));
        f.write(QByteArray(1, '\1'));
        f.close();
        boxes_.clear();
        files_.answer(Path("three.dat"));
        w_->Menu_Open_Click();
        const QString box = OnlyBox();
        QVERIFY2(box.startsWith(QString::fromUtf8("数据中的下列数值无法保留，已被替换：")), qPrintable(box));
        QVERIFY2(box.contains(QString::fromUtf8("\n信道 (信道 2): \"记录，发射 53.0000，接收 53.0000\" -> "
                                                "\"已删除：选项只容纳 1 个信道\"")),
                 qPrintable(box));
        QVERIFY2(!SpeaksEnglish(box), qPrintable(box));
    }

    // With one area and MARNET on, a "P" on the MARNET row is named at Save.
    void theWordAtSaveAboutAPriorityTheRadioCannotKeep() {
        d_->SetFarmMarnetInfo("0|||||1|12345|21|0|");
        auto o = Split(d_->RadioOption());
        o[kOptChInArea] = "15";
        d_->SetRadioOption(Join(o));
        AdjustArea_Marnet(*d_);
        UpdateAreaNo(*d_);
        d_->SetCell(1, ColTxFreq, "53.0000", RecordWrite::Quiet);
        d_->SetCell(1, ColRxFreq, "53.0000", RecordWrite::Quiet);
        d_->SetCell(16, ColScan, "TP", RecordWrite::Quiet);
        files_.answer(Path("marnet.dat"));
        QVERIFY(w_->Menu_Save_Click());
        QCOMPARE(OnlyBox(), QString::fromUtf8("部分数据无法存入电台，已略去：\n信道表第 16 行：优先扫描（“P”）未保存："
                                              "电台只在区域内保留优先信道。"));
    }

    // A Chinese name typed through the input method: the radio's names hold no Chinese.
    void aCharacterTheRadioCannotStore() {
        const std::string before = d_->MFG.TextMatrix(1, ColName1);
        Click(*w_, 1, ColName1);
        QVERIFY(w_->TxtName1->isVisible());
        QInputMethodEvent typed;
        typed.setCommitString(QString::fromUtf8("港口"));
        QCoreApplication::sendEvent(w_->TxtName1, &typed);
        QCOMPARE(w_->TxtName1->text(), QString::fromUtf8("港口"));
        Key(w_->TxtName1, Qt::Key_Return);
        const QString box = OnlyBox();
        QVERIFY2(box.endsWith(QString::fromUtf8("：字符“港”无法存入电台的存储器。")), qPrintable(box));
        QCOMPARE(d_->MFG.TextMatrix(1, ColName1), before);
    }

    void printingWithoutAPrinter() {
        struct NoPrinter : ui::PrinterService {
            ui::PrintFailure printLines(QWidget*, const QStringList&) override { return ui::PrintFailure::NoPrinter; }
        } none;
        ui::ScopedPrinter scope(&none);
        boxes_.answer(ui::MsgResult::Ok); // the question before printing
        w_->Menu_Print_Click();
        QCOMPARE(boxes_.texts().size(), 2);
        QCOMPARE(boxes_.texts().back(), QString::fromUtf8("没有安装打印机。"));
    }

    void theSecondReceiversRxTip() {
        auto f = Split(d_->FarmMarnetInfo());
        f[kSecondRxOn] = "1";
        f[kSecondRxFrequency] = "55";
        d_->SetFarmMarnetInfo(Join(f), RecordWrite::Quiet);
        d_->SetCell(d_->MFG.Rows() - 1, ColRxFreq, "55.0000", RecordWrite::Quiet);
        Click(*w_, d_->MFG.Rows() - 1, ColRxFreq);
        QVERIFY(w_->TxtRxFreq->isVisible());
        QVERIFY2(w_->Tip->text().endsWith(QString::fromUtf8("第二接收机开启时不能留空。")), qPrintable(w_->Tip->text()));
        Click(*w_, 1, ColRxFreq);
        QVERIFY2(w_->Tip->text().endsWith(QString::fromUtf8("留空表示不设置。")), qPrintable(w_->Tip->text()));
    }
};

QTEST_MAIN(TextsInChineseTest)
#include "tst_texts_in_chinese.moc"
