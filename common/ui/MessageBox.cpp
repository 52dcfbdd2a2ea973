#include "common/ui/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace vt::ui {

namespace {
QtMessageBox& qtBox() {
    static QtMessageBox box;
    return box;
}
MessageBoxService* g_service = nullptr;
QString& titleStore() {
    static QString t = QStringLiteral("Data Editor");
    return t;
}

// A short text gives a box narrower than its title bar needs, and the window manager then cuts
// the title ("D..."). The title bar also holds the window icon and the close box.
void WidenToTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarExtra;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}
} // namespace

MsgResult EscapeAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok: return MsgResult::Ok;
    case MsgButtons::YesNo: return MsgResult::No;
    default: return MsgResult::Cancel;
    }
}

MsgResult QtMessageBox::show(QWidget* parent, const QString& text, const QString& title, MsgButtons buttons,
                             MsgIcon icon) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::None: break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgButtons::RetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
    case MsgButtons::YesNoEscapeCancels: {
        // A Cancel that is never shown: Escape and the close button press it.
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QAbstractButton* cancel = box.button(QMessageBox::Cancel);
        cancel->hide();
        box.setEscapeButton(cancel);
        break;
    }
    }
    WidenToTitle(box);
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Retry: return MsgResult::Retry;
    default: return MsgResult::Cancel;
    }
}

MsgResult ScriptedMessageBox::show(QWidget*, const QString& text, const QString& title, MsgButtons buttons,
                                   MsgIcon icon) {
    shown_.push_back({text, title, buttons, icon});
    if (!answers_.empty()) {
        Answer a = answers_.front();
        answers_.pop_front();
        return a.escape ? EscapeAnswer(buttons) : a.result;
    }
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
    case MsgButtons::YesNoEscapeCancels: return MsgResult::Yes;
    case MsgButtons::RetryCancel: return MsgResult::Retry;
    default: return MsgResult::Ok;
    }
}

QStringList ScriptedMessageBox::texts() const {
    QStringList out;
    for (const auto& s : shown_) out << s.text;
    return out;
}

MessageBoxService& messageBoxService() { return g_service ? *g_service : qtBox(); }
void setMessageBoxService(MessageBoxService* service) { g_service = service; }
void setDefaultMessageTitle(const QString& title) { titleStore() = title; }
QString defaultMessageTitle() { return titleStore(); }

MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title, QWidget* parent) {
    if (!parent) parent = QApplication::activeWindow();
    return messageBoxService().show(parent, text, title.isEmpty() ? defaultMessageTitle() : title, buttons, icon);
}

ScopedMessageBox::ScopedMessageBox(MessageBoxService* s) : previous_(g_service) { g_service = s; }
ScopedMessageBox::~ScopedMessageBox() { g_service = previous_; }

} // namespace vt::ui
