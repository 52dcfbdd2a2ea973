#pragma once
// The radio options dialog: edits the option record. Each opening starts from the
// current record; OK stores it and has the main window re-apply its grid rules.
#include "editor/settings/core/FunctionKeys.h"
#include "editor/settings/core/RadioOptionRecord.h"

#include <QDialog>
#include <QString>

#include <array>
#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vt {

struct EditorData;

class Frm_Option : public QDialog {
    Q_OBJECT
public:
    explicit Frm_Option(EditorData& data, QWidget* parent = nullptr);

    // Puts a record's fields 0 to 35 and 37 into the controls (36 and 38 are not edited here).
    void SetAllItem(const std::string& str);
    void LoadLanguage();

    void CommandOK_Click();
    void CommandCANCEL_Click();
    void CommandDefault_Click();

    std::string OptionWork;
    std::array<QString, 11> OptionMsg; // 1 not a number, 2 out of range, 3 restore defaults
    int OptionEditError = 0;

    // Controls, named as the option fields they edit.
    QGroupBox *Channels, *Frame2, *Frame3, *Frame1, *Frame4, *Frame5, *Frame6;
    QLabel *lbNa, *lbCIA, *lbFs, *lbAss, *lbstc, *lbRst, *lbBonc, *Label9, *Label11, *Label1, *Label3, *Label5,
        *Label7, *Label16, *Label12, *Label13, *Label14, *Label15, *Label17, *Label18, *Label19, *Label20,
        *Label21, *Label22, *Label23, *Label31, *Label32, *Label33, *Label34;
    QLineEdit *TxtNumberArea, *TxtChInArea, *TxtScanTCh, *TxtResumeSTime, *TxtCallPtime, *TxtPTTTimeout,
        *TxtPTTLANI, *TxtWaitAnswer, *TxtRepeater, *TxtRound, *TxtF1, *TxtF2, *TxtF3, *TxtF4, *TxtFunction;
    QCheckBox *ChkFSon, *ChkFSoff, *ChkAScan, *ChkBeep, *ChkMutechange, *ChkAreachange, *ChkVolumechange,
        *ChkCallselect, *ChkChannelchange, *ChkNuisancedelete, *ChkMonitorkey, *ChkUselast, *Chk5Toneauto;
    QComboBox *ComboF1, *ComboF2, *ComboF3, *ComboF4, *ComboFunction, *ComboHeadDial, *ComboCTsen, *ComboVolume,
        *ComboMuteChange;
    QPushButton *CommandOK, *CommandCANCEL, *CommandDefault;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorData& d_;
    std::array<QWidget*, kOptionFieldCount> fieldControl_{};
    std::map<QLineEdit*, int> numberField_;
    QLineEdit* focusedBox_ = nullptr; // the leave box that has the focus
    std::array<bool, kOptionFieldCount> pending_{}; // a box checked on leaving whose text changed since
    std::string carriedChannel_ = "0", carriedArea_ = "0";

    void BuildControls();
    void BuildLayout();
    void ConnectHandlers();
    void ApplyField(int field, const std::string& value);
    std::string FieldValue(int field) const;

    // The check of one number box; false when it refused the text. Leaving a box shows its
    // message once the focus change is over, so the click that moved the focus is not lost.
    bool CheckNumber(int field, bool messageLater = false);
    void Refuse(int field, const QString& message, bool messageLater);
    bool RunPendingChecks();
    int AreasNow() const;
    std::string RangeText(int field) const;
    void LoadMessages();

    KeyState CurrentKeys() const;
    void KeyChosen(int key);
    void ComboFunction_Click();
    void ChkFSon_Click();
    void ChkFSoff_Click();
};

} // namespace vt
