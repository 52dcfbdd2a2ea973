#pragma once
// The FARMCALL/MARNET settings dialog. No command of the editor opens it; OK stores the
// settings and applies them to the options, the channel grid and the 5-tone list.
#include "editor/settings/core/FarmMarnetSettings.h"

#include <QColor>
#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vt {

struct EditorData;

class Frm_Farm : public QDialog {
    Q_OBJECT
public:
    explicit Frm_Farm(EditorData& data, QWidget* parent = nullptr);

    void LoadLanguage();
    int CheckFreq(const std::string& sFreq) const;
    int Check() const;
    void CmdOk_Click();
    void reject() override; // Cancel, Esc and the close box

    // What the controls hold, as OK stores it.
    FarmMarnetSettings Settings() const;

    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr, *Frame4 = nullptr;
    QCheckBox *ChkFarm = nullptr, *ChkMarnet = nullptr, *Chk2Rec = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label5 = nullptr, *Label6 = nullptr,
           *Label7 = nullptr, *Label9 = nullptr;
    QLineEdit *txtGroupID = nullptr, *txtPosition = nullptr, *txtFarmch = nullptr, *txtFarmFreq = nullptr,
              *txtMarID = nullptr, *txtMaxch = nullptr, *txtSecFre = nullptr;
    QLabel* FarmTip = nullptr;
    QPushButton *CmdOk = nullptr, *CmdCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorData& d_;
    QColor DisabledColor, EnabledColor;
    std::array<std::string, 12> FarmTipText;
    std::array<std::string, 16> FarmMsg;
    std::string FarmModeText, MarnetModeText;
    bool closing_ = false;

    void Build();
    void Show(const FarmMarnetSettings& s);
    void SetBox(QLineEdit* box, bool enabled);
    void ChkFarm_Click();
    void ChkMarnet_Click();
    void Chk2Rec_Click();
    void UpdateFarmModeLabel();
    void BoxLostFocus(QLineEdit* box);
    void ShowTip(int k);
};

} // namespace vt
