#include "editor/shell/ui/dlgSetting.h"

#include "editor/dataset/EditorData.h"
#include "editor/shell/ui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QPushButton>

namespace vt {

namespace {
QRect TwipRect(int x, int y, int w, int h) { return QRect(Px(x), Px(y), Px(w), Px(h)); }
} // namespace

dlgSetting::dlgSetting(EditorData& data, ComPortMap ports, QWidget* parent)
    : QDialog(parent), d_(data), ports_(std::move(ports)) {
    setObjectName("dlgSetting");
    setWindowTitle("COM Setting");
    setAttribute(Qt::WA_DeleteOnClose); // OK and Cancel unload it; the next opening loads afresh
    setFixedSize(Px(4335), Px(2655));
    Frame1 = new QGroupBox("RS232 Option", this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(TwipRect(120, 60, 4095, 1935));
    Label1 = new QLabel("Available Com Port:", Frame1);
    Label1->setObjectName("Label1");
    Label1->setGeometry(TwipRect(150, 300, 1800, 255));
    ComBoCommList = new QComboBox(Frame1);
    ComBoCommList->setObjectName("ComBoCommList");
    ComBoCommList->setGeometry(TwipRect(150, 600, 3780, 315));
    Label3 = new QLabel("Label3", Frame1);
    Label3->setObjectName("Label3");
    Label3->setGeometry(TwipRect(150, 960, 3780, 255));
    Label3->setVisible(false);
    Label2 = new QLabel("Options:", Frame1);
    Label2->setObjectName("Label2");
    Label2->setGeometry(TwipRect(150, 1320, 900, 255));
    txtPort = new QLineEdit("1", Frame1);
    txtPort->setObjectName("txtPort");
    txtPort->setReadOnly(true);
    txtPort->setGeometry(TwipRect(1080, 1290, 500, 315));
    txtSetting = new QLineEdit(kDefaultCommSettings, Frame1);
    txtSetting->setObjectName("txtSetting");
    txtSetting->setReadOnly(true);
    txtSetting->setGeometry(TwipRect(1680, 1290, 2250, 315));
    CmdOk = new QPushButton("OK", this);
    CmdOk->setObjectName("CmdOk");
    CmdOk->setGeometry(TwipRect(840, 2100, 1095, 375));
    CmdCancel = new QPushButton("Cancel", this);
    CmdCancel->setObjectName("CmdCancel");
    CmdCancel->setGeometry(TwipRect(2400, 2100, 1095, 375));
    connect(CmdOk, &QPushButton::clicked, this, &dlgSetting::CmdOk_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &dlgSetting::CmdCancel_Click);
    Form_Load();
}

void dlgSetting::Form_Load() {
    ListSerialPorts();
    if (ComBoCommList->count() == 0) {
        for (int i = 1; i <= 3; ++i) ComBoCommList->addItem("COM" + QString::number(i), i);
        Label3->setVisible(true);
    }
    // The port in use stays chosen; when it is not offered nothing is, so that OK without a
    // choice never moves the radio to another port.
    ComBoCommList->setCurrentIndex(ComBoCommList->findData(d_.CommPort));
    // USB adapters carry long by-id names: the open list shows them whole.
    ComBoCommList->view()->setMinimumWidth(ComBoCommList->view()->sizeHintForColumn(0) + 8);
    LoadLanguage();
}

void dlgSetting::LoadLanguage() {
    auto text = [this](int i) { return QString::fromStdString(d_.Lang.Text("Fport_Interface", i)); };
    setWindowTitle(text(1));
    Frame1->setTitle(text(2));
    Label1->setText(text(3));
    Label3->setText(text(4));
}

void dlgSetting::ListSerialPorts() {
    for (const ComPortEntry& e : ports_.List())
        ComBoCommList->addItem(QString::fromStdString(ComPortLabel(e)), e.number);
}

int ComNumberOfItem(const QString& text) {
    if (!text.startsWith("COM")) return 0;
    int n = 0, i = 3;
    for (; i < text.size() && text[i].isDigit() && n < 1000; ++i) n = n * 10 + text[i].digitValue();
    return i > 3 ? n : 0;
}

void dlgSetting::CmdOk_Click() {
    if (ComBoCommList->currentIndex() >= 0) {
        const int port = ComNumberOfItem(ComBoCommList->currentText());
        d_.CommPort = port >= 1 && port <= ComPortMap::kMaxNumber ? port : 1; // Msg.sys carries one byte
    }
    d_.CommSettings = kDefaultCommSettings;
    close();
}

void dlgSetting::CmdCancel_Click() { close(); }

} // namespace vt
