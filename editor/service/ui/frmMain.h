#pragma once
// The setup window: the three manual setup bytes of the image, a command panel that sends the
// setup type's one-byte codes to the radio, and the automatic engine (never started by any
// control of the editor).
#include "editor/service/core/SetupCodes.h"
#include "editor/service/core/SetupEngine.h"
#include "editor/service/core/SetupPort.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace vt {

struct EditorData;

class frmMain : public QDialog {
    Q_OBJECT
public:
    // decode runs DecodeImage for an image from the radio (the engine's completed read).
    frmMain(EditorData& data, std::function<void()> decode = {}, QWidget* parent = nullptr);
    ~frmMain() override;

    QCheckBox* Check1;
    QLineEdit *Text1, *Text2, *Text3;
    QLabel *ls1, *ls2, *ls3;
    QGroupBox *Frame1, *Frame2, *Frame4;
    QLabel* lblStatus;
    QComboBox* selSetupType;
    QPushButton *cmdManualSend, *cmdClose, *cmdTransmit, *cmdup, *cmddown;
    QLineEdit* txtInputHex;
    QTimer* ctrTimer;
    QTimer* commPoll; // stands in for the serial control's receive event

    SetupEngine& Engine() { return engine_; }
    SetupPort& Port() { return port_; }
    const SetupCodeSet& SetupCodes() const { return codes_; }
    bool ReceivingFlag() const { return engine_.ReceivingFlag; }
    // The engine's start (no control of the window calls it).
    bool StartSetupProcess();

    void done(int r) override;

public slots:
    void Check1_Click();
    void cmdManualSend_Click();
    void cmdTransmit_Click();
    void cmdup_Click();
    void cmddown_Click();
    void cmdClose_Click();
    void ctrTimer_Timer();
    void ctrMSComm_OnComm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void Form_Load();
    void LoadLanguage();
    // Runs a box's check; a refused value shows its message and the box is reset.
    bool TextBox_LostFocus(QLineEdit* box);
    // The unload: false (window stays) when a ticked box holds a value that is refused.
    bool Form_Unload();
    bool cmdReceive_Click();
    void SendCode(int index);
    void SetPanelActive(bool active);
    void FinishEngine(SetupEngine::Outcome outcome);

    EditorData& data_;
    SetupPort port_;
    SetupEngine engine_;
    SetupCodeSet codes_ = SetupCodesFor(0);
    std::array<QString, 7> msgs_;  // Fmain_Msg 1..6, for the engine
    QString statusPrefix_;          // Fmain_Interface 11
    bool unloaded_ = false;
};

} // namespace vt
