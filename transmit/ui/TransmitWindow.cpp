#include "transmit/ui/TransmitWindow.h"

#include "common/ui/MessageBox.h"
#include "common/ui/QtTranslations.h"
#include "common/ui/ScreenFit.h"
#include "transmit/core/TransmitCommandLine.h"
#include "transmit/core/TransmitTimings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>

namespace vt {

namespace {
// The form is laid out in dialog units of its 9-point font: 1.5 pixels each way.
QRect Dlu(int x, int y, int w, int h) {
    auto px = [](int d) { return (d * 3 + 1) / 2; };
    return QRect(px(x), px(y), px(w), px(h));
}
} // namespace

TransmitWindow::TransmitWindow(const std::filesystem::path& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      doc_(std::make_unique<TransmitDoc>(programFolder, *this)),
      protocol_(std::make_unique<TransmitProtocol>(*doc_)),
      quit_([] { QCoreApplication::exit(0); }) {
    setObjectName("TransmitWindow");
    ui::FitToScreen(this);
    BuildForm();
    timer_.setInterval(kSupervisionTick);
    connect(&timer_, &QTimer::timeout, this, [this] { protocol_->OnTimer(); });
    connect(start_, &QPushButton::clicked, this, [this] { doc_->OnStart(); });
    connect(stop_, &QPushButton::clicked, this, [this] { doc_->OnStop(); });
    ConnectionChanged();
}

TransmitWindow::~TransmitWindow() {
    // The document's threads post to this window: close the connection while it still exists.
    doc_->ClosePort();
    protocol_.reset();
    doc_.reset();
}

void TransmitWindow::BuildForm() {
    QFont font(QStringLiteral("SimSun"), 9);
    setFont(font);
    group_ = new QGroupBox(QStringLiteral("Progress"), this);
    group_->setObjectName("GroupProgress");
    group_->setGeometry(Dlu(6, 3, 192, 40));
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressBar");
    progress_->setGeometry(Dlu(11, 18, 180, 13));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    start_ = new QPushButton(QStringLiteral("START"), this);
    start_->setObjectName("ButtonStart");
    start_->setGeometry(Dlu(35, 54, 57, 15));
    stop_ = new QPushButton(QStringLiteral("STOP"), this);
    stop_->setObjectName("ButtonStop");
    stop_->setGeometry(Dlu(116, 54, 43, 15));
    // The form's size and no other: nothing in it grows, and a window that cannot grow gets no
    // maximise from any window manager (some ignore the missing maximise hint otherwise).
    setFixedSize(Dlu(0, 0, 206, 77).size());
}

bool TransmitWindow::OnNewDocument(const std::string& commandLine) {
    ToolMode mode = ModeFromCommandLine(commandLine);
    setWindowTitle(QStringLiteral("Osprey - ") + QString::fromLatin1(ModeWord(mode)));
    if (!doc_->OnNewDocument(commandLine)) return false;
    const auto& labels = doc_->Texts().labels;
    start_->setText(QString::fromStdString(labels[0]));
    stop_->setText(QString::fromStdString(labels[1]));
    group_->setTitle(QString::fromStdString(labels[2]));
    ui::UseQtLanguage(doc_->Texts().chinese ? ui::QtLanguage::Chinese : ui::QtLanguage::English);
    return true;
}

void TransmitWindow::BringForward() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    if (QWidget* box = QApplication::activeModalWidget()) {
        box->raise();
        box->activateWindow();
    }
}

void TransmitWindow::StartTimer() { timer_.start(); }

bool TransmitWindow::StopTimer() {
    timer_.stop();
    return !timer_.isActive();
}

void TransmitWindow::ResetProgress() {
    progress_->setRange(0, 100);
    progress_->setValue(0);
}

void TransmitWindow::SetProgress(int percent) { progress_->setValue(percent); }

void TransmitWindow::DisableStart() { start_->setEnabled(false); }

void TransmitWindow::ConnectionChanged() {
    bool connected = doc_->IsConnected();
    start_->setEnabled(!connected);
    stop_->setEnabled(connected);
}

void TransmitWindow::ShowMessage(const std::string& text) {
    ui::MsgBox(QString::fromStdString(text), ui::MsgButtons::Ok, ui::MsgIcon::None, QStringLiteral("transmit"), this);
}

void TransmitWindow::RequestQuit() {
    if (quit_) quit_();
}

void TransmitWindow::PostCommNotify() {
    QMetaObject::invokeMethod(this, [this] { protocol_->OnCommNotify(1); }, Qt::QueuedConnection);
}

void TransmitWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized)) return;
    // After the state change has run its course, not inside it.
    QTimer::singleShot(0, this, [this] {
        if (isMinimized()) showNormal();
    });
}

void TransmitWindow::closeEvent(QCloseEvent* event) {
    doc_->ClosePort(); // the close box ends the tool like STOP; a result already set is kept
    event->accept();
    RequestQuit();
}

} // namespace vt
