#pragma once
// The special-call dialog: turns one line of the 5-tone list into a special call. Modal over
// the 5-tone dialog; OK installs the call into the list's working copy and SpecialData.
#include "editor/settings/core/SpecialCall.h"

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vt {

class FiveToneList;
struct EditorData;

class Frm_Special : public QDialog {
    Q_OBJECT
public:
    // ownId: the 5-tone dialog's own ID box; specialLine: the list line to preselect.
    Frm_Special(EditorData& data, FiveToneList& list, std::string ownId, int specialLine,
                QWidget* parent = nullptr);

    int SpecialLine = 1;

    void Command1_Click(); // OK
    void cmbType_Click();
    void LoadLanguage();
    void reject() override;

    // Layout in twips, as the frames were placed.
    int TopTwips(const QWidget* w) const;
    int WindowHeightTwips() const { return windowHeightTwips_; }
    // What the controls hold, as OK reads it.
    SpecialCallEntry Entry() const;

    QGroupBox *FrameType = nullptr, *FrameHelp = nullptr;
    std::array<QGroupBox*, kSpecialTypeCount> Frames{}; // Frame1..Frame8, by type
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
           *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr,
           *Label16 = nullptr;
    QComboBox *cmbChannel = nullptr, *cmbType = nullptr, *cmbPine = nullptr, *cmbPineH = nullptr,
              *cmbAlarmno = nullptr, *cmbPanicno = nullptr, *cmbEmch = nullptr, *cmbCh2 = nullptr,
              *cmbMsgNum = nullptr;
    QLineEdit *txtOutstation = nullptr, *txtQuery = nullptr, *txtID3 = nullptr, *txtID4 = nullptr,
              *txtMarnetId = nullptr, *txtOtherId = nullptr, *txtPerson = nullptr, *txtRmsg = nullptr;
    QCheckBox *chkDecReply = nullptr, *chkPreMessage = nullptr;
    QLabel* SpecialTip = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorData& d_;
    FiveToneList& list_;
    std::string ownId_;
    int windowHeightTwips_ = 0;
    bool closing_ = false;
    bool checking_ = false;
    std::array<std::string, 21> tipText_;
    std::array<std::string, 11> msg_;

    void BuildTypeFrame();
    void BuildCallFrames();
    QGroupBox* CallFrame(int type, const char* name, int heightTwips);
    void Tip(int k);
    void Message(int k);
    void IdLostFocus(QLineEdit* box);
};

} // namespace vt
