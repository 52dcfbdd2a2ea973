#include "editor/shell/ui/dlgSetting.h"

#include "common/ui/ScreenFit.h"
#include "editor/dataset/EditorData.h"
#include "editor/shell/ui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QPushButton>
#include <algorithm>
#include <initializer_list>

namespace vt {

namespace {
QRect TwipRect(int x, int y, int w, int h) { return QRect(Px(x), Px(y), Px(w), Px(h)); }

// The designed places; the note under the list may need more lines than its one.
const QRect kDialogRect = TwipRect(0, 0, 4335, 2655), kFrameRect = TwipRect(120, 60, 4095, 1935),
            kNoteRect = TwipRect(150, 960, 3780, 255);

QString ComName(int number) { return "COM" + QString::number(number); }
} // namespace

dlgSetting::dlgSetting(EditorData& data, ComPortMap ports, QWidget* parent)
    : QDialog(parent), d_(data), ports_(std::move(ports)) {
    setObjectName("dlgSetting");
    ui::FitToScreen(this);
    setWindowTitle("COM Setting");
    setAttribute(Qt::WA_DeleteOnClose); // OK and Cancel unload it; the next opening loads afresh
    setFixedSize(kDialogRect.size());
    Frame1 = new QGroupBox("RS232 Option", this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(kFrameRect);
    Label1 = new QLabel("Available Com Port:", Frame1);
    Label1->setObjectName("Label1");
    Label1->setGeometry(TwipRect(150, 300, 1800, 255));
    ComBoCommList = new QComboBox(Frame1);
    ComBoCommList->setObjectName("ComBoCommList");
    ComBoCommList->setGeometry(TwipRect(150, 600, 3780, 315));
    Label3 = new QLabel("Label3", Frame1);
    Label3->setObjectName("Label3");
    Label3->setGeometry(kNoteRect);
    Label3->setWordWrap(true);
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
    fallback_ = ComBoCommList->count() == 0;
    if (fallback_)
        for (int i = 1; i <= 3; ++i) ComBoCommList->addItem(ComName(i), i);
    // The port in use stays chosen; when it is not offered nothing is, so that OK without a
    // choice never moves the radio to another port. The note says which to choose instead.
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
    QString note;
    if (fallback_)
        note = text(4);
    else if (ComBoCommList->currentIndex() < 0 && ComBoCommList->count() == 1)
        note = text(5).arg(ComName(d_.CommPort), ComName(ComBoCommList->itemData(0).toInt()));
    else if (ComBoCommList->currentIndex() < 0)
        note = text(6).arg(ComName(d_.CommPort));
    Label3->setText(note);
    Label3->setVisible(!note.isEmpty());
    LayOut();
}

// The note wraps to the lines its text needs; what lies under it moves down by as much.
void dlgSetting::LayOut() {
    int extra = 0;
    if (!Label3->isHidden()) extra = std::max(0, Label3->heightForWidth(kNoteRect.width()) - kNoteRect.height());
    if (extra == extra_) return;
    const int dy = extra - extra_;
    extra_ = extra;
    Label3->setGeometry(kNoteRect.adjusted(0, 0, 0, extra));
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, txtPort, txtSetting, CmdOk, CmdCancel})
        w->move(w->x(), w->y() + dy);
    Frame1->setGeometry(kFrameRect.adjusted(0, 0, 0, extra));
    setFixedSize(kDialogRect.size() + QSize(0, extra));
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
