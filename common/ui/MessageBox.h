#pragma once
// Every message box of both programs goes through this service, so that tests can answer a
// modal box from a script instead of blocking on it.
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

class QWidget;

namespace vt::ui {

// YesNoEscapeCancels shows Yes and No only; Escape and the box's close button answer Cancel
// (a question whose No loses data must not be answered No by a stray Escape).
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, YesNoEscapeCancels };
enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

// What a box answers when the user presses Escape or closes it with its close button (both end
// a QMessageBox through its escape button): Ok alone answers Ok, Yes/No answers No, and every
// box with a Cancel answers Cancel.
MsgResult EscapeAnswer(MsgButtons buttons);
// Room a title bar takes beside its title: window icon, close box and margins.
inline constexpr int kTitleBarExtra = 96;

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MsgResult show(QWidget* parent, const QString& text, const QString& title, MsgButtons buttons,
                           MsgIcon icon) = 0;
};

// The real boxes (QMessageBox).
class QtMessageBox : public MessageBoxService {
public:
    MsgResult show(QWidget* parent, const QString& text, const QString& title, MsgButtons buttons,
                   MsgIcon icon) override;
};

// Records every box and answers from a queue; with the queue empty it answers the default
// button of the box (Ok, or Yes for a yes/no question), so a forgotten answer never blocks.
class ScriptedMessageBox : public MessageBoxService {
public:
    struct Shown {
        QString text;
        QString title;
        MsgButtons buttons;
        MsgIcon icon;
    };
    MsgResult show(QWidget* parent, const QString& text, const QString& title, MsgButtons buttons,
                   MsgIcon icon) override;
    void answer(MsgResult r) { answers_.push_back({r, false}); }
    // The user presses Escape, or closes the box with its close button: the box answers what
    // the real one answers then (EscapeAnswer).
    void answerEscape() { answers_.push_back({MsgResult::Cancel, true}); }
    void answerClose() { answerEscape(); }
    const std::vector<Shown>& shown() const { return shown_; }
    QStringList texts() const;
    void clear() {
        shown_.clear();
        answers_.clear();
    }

private:
    struct Answer {
        MsgResult result;
        bool escape;
    };
    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
};

// The service in use (the Qt one unless a test installs another); the caller keeps ownership.
MessageBoxService& messageBoxService();
void setMessageBoxService(MessageBoxService* service);

// The title that boxes without a title of their own show ("Data Editor" in the editor).
void setDefaultMessageTitle(const QString& title);
QString defaultMessageTitle();

// The usual call: text, buttons, optional title (empty: the default title).
MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                 const QString& title = QString(), QWidget* parent = nullptr);

// Installs a service for the lifetime of the object (tests).
class ScopedMessageBox {
public:
    explicit ScopedMessageBox(MessageBoxService* s);
    ~ScopedMessageBox();
    ScopedMessageBox(const ScopedMessageBox&) = delete;
    ScopedMessageBox& operator=(const ScopedMessageBox&) = delete;

private:
    MessageBoxService* previous_;
};

} // namespace vt::ui
