#pragma once
// The transfer tool's window: a progress bar and START/STOP in a small fixed form, titled
// "Osprey - Read" or "Osprey - Write". It owns the document and runs the window thread's half
// of the protocol.
#include "transmit/core/TransmitDoc.h"
#include "transmit/core/TransmitHost.h"
#include "transmit/core/TransmitProtocol.h"

#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

class QGroupBox;
class QProgressBar;
class QPushButton;

namespace vt {

class TransmitWindow : public QWidget, public TransmitHost {
    Q_OBJECT
public:
    explicit TransmitWindow(const std::filesystem::path& programFolder, QWidget* parent = nullptr);
    ~TransmitWindow() override;

    // Reads Msg.sys and sets the title and the texts; false when the tool cannot start.
    bool OnNewDocument(const std::string& commandLine);

    TransmitDoc& Doc() { return *doc_; }
    TransmitProtocol& Protocol() { return *protocol_; }
    // What "end the tool" does (the application's quit unless a test says otherwise).
    void SetQuitHandler(std::function<void()> quit) { quit_ = std::move(quit); }
    // Brings the window (and a box it shows) forward: a second copy asked for it.
    void BringForward();

    QPushButton* StartButton() const { return start_; }
    QPushButton* StopButton() const { return stop_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QGroupBox* GroupBox() const { return group_; }

    // TransmitHost
    void StartTimer() override;
    bool StopTimer() override;
    void ResetProgress() override;
    void SetProgress(int percent) override;
    void DisableStart() override;
    void ConnectionChanged() override;
    void ShowMessage(const std::string& text) override;
    void RequestQuit() override;
    void PostCommNotify() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The window has no minimise: one minimised anyway (a window manager that offers it for
    // every window, a "minimise" key or command) is shown again at once, so that the tool never
    // leaves nothing on screen while the editor waits hidden.
    void changeEvent(QEvent* event) override;

private:
    void BuildForm();

    std::unique_ptr<TransmitDoc> doc_;
    std::unique_ptr<TransmitProtocol> protocol_;
    QTimer timer_;
    QProgressBar* progress_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QGroupBox* group_ = nullptr;
    std::function<void()> quit_;
};

} // namespace vt
