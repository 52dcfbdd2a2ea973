#include "editor/service/ui/Form1.h"

#include "common/ModFun.h"
#include "common/ProgramFolder.h"
#include "common/ui/MessageBox.h"
#include "common/ui/ScreenFit.h"
#include "editor/service/core/TestBench.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

namespace vt {

namespace {
QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}
} // namespace

Form1::Form1(EditorData& data, QWidget* parent) : QWidget(parent, Qt::Window), data_(data) {
    setObjectName("Form1");
    ui::FitToScreen(this);
    setWindowTitle("Form1");
    btnStart = Button("btnStart", "start", this);
    btnWrite = Button("btnWrite", "testWrite", this);
    ArChTest = Button("ArChTest", "ArChTest", this);
    cmdFileTest = Button("cmdFileTest", "File", this);
    Command2 = Button("Command2", "midct", this);
    atBtn = Button("atBtn", "arraytest", this);
    Command3 = Button("Command3", "RepeatR", this);
    Command1 = Button("Command1", "Active", this);
    txtCt = new QLineEdit("Text1", this);
    txtCt->setObjectName("txtCt");
    lstResult = new QListWidget(this);
    lstResult->setObjectName("lstResult");
    lstResult->setUniformItemSizes(true); // thousands of lines stay quick

    auto* grid = new QGridLayout(this);
    QPushButton* buttons[] = {btnStart, btnWrite, ArChTest, cmdFileTest, Command2, atBtn, Command3, Command1};
    for (int i = 0; i < 8; ++i) grid->addWidget(buttons[i], i / 4, i % 4);
    grid->addWidget(txtCt, 2, 0, 1, 4);
    grid->addWidget(lstResult, 3, 0, 1, 4);
    resize(520, 460);

    connect(btnStart, &QPushButton::clicked, this, &Form1::btnStart_Click);
    connect(btnWrite, &QPushButton::clicked, this, &Form1::btnWrite_Click);
    connect(ArChTest, &QPushButton::clicked, this, &Form1::ArChTest_Click);
    connect(cmdFileTest, &QPushButton::clicked, this, &Form1::cmdFileTest_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(atBtn, &QPushButton::clicked, this, &Form1::atBtn_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

QString Form1::AdjustRxFreq(const QString& sFreq) const {
    return QString::fromStdString(TestBench::AdjustRxFreq(sFreq.toStdString()));
}

void Form1::Append(const std::vector<std::string>& lines) {
    QStringList items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines) items << QString::fromStdString(line);
    lstResult->addItems(items);
}

void Form1::ListAndWrite(const std::vector<std::string>& lines, const char* fileName) {
    Append(lines);
    std::string error;
    if (!TestBench::WriteLines(ProgramPath(fileName), lines, &error)) {
        ui::MsgBox(QString::fromStdString(error), ui::MsgButtons::Ok, ui::MsgIcon::Warning, QString(), this);
        return;
    }
    ui::MsgBox("finish!", ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), this);
}

void Form1::btnStart_Click() { ListAndWrite(TestBench::RasterLines(), TestBench::kRasterFile); }

void Form1::btnWrite_Click() {
    UpdateAllArray(data_);
    ListAndWrite(std::vector<std::string>(TestBench::kSnapshotBlankLines), TestBench::kSnapshotFile);
}

void Form1::ArChTest_Click() { Append(TestBench::SnapshotLines(data_.AllArray)); }

void Form1::cmdFileTest_Click() {
    std::string error;
    if (!TestBench::LoadImageFile(LookupPath(TestBench::kImageFile), data_, &error)) {
        ui::MsgBox(QString::fromStdString(error), ui::MsgButtons::Ok, ui::MsgIcon::Warning, QString(), this);
        return;
    }
    Append(TestBench::ImageHexLines(data_.MemImage));
}

void Form1::Command2_Click() { Append(TestBench::ToneLines()); }

void Form1::atBtn_Click() { Append({TestBench::PatternTestLine()}); }

void Form1::Command3_Click() { Append({InsertRepeatTone(txtCt->text().toStdString())}); }

void Form1::Command1_Click() {}

} // namespace vt
