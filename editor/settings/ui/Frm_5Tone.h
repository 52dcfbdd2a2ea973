#pragma once
// The 5-tone dialog: own 5-tone settings, the 100-line call list with its in-cell editors, and
// the way to the special calls. Modal; OK stores, Cancel (Esc, close box) puts back everything
// the dialog changed while open.
#include "editor/settings/core/FiveToneSnapshot.h"

#include <QDialog>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableView;
class QAction;

namespace vt {

class FiveToneGridModel;
class FiveToneList;
struct EditorData;

class Frm_5Tone : public QDialog {
    Q_OBJECT
public:
    explicit Frm_5Tone(EditorData& data, QWidget* parent = nullptr);
    ~Frm_5Tone() override;

    FiveToneList& List() { return *list_; }
    int CurRow() const { return curRow_; }
    int CurCol() const { return curCol_; }

    // Event procedures, public so that the window's own signals and tests reach the same code.
    void Command1_Click();     // OK
    void Command4_Click();     // Clear ("Default")
    void Command3_Click();     // Special call
    void CommandInstall_Click();
    void MFG5Tone_Click(int row, int col);
    void MFG5Tone_DblClick(int row, int col);
    void LstToneSet_Show();
    void LoadLanguage();

    void reject() override; // Cancel, Esc and the close box

    // Controls (named as in the window's design; tests find them by objectName too).
    QMenuBar* menuBar = nullptr;
    QMenu* FunctionMenu = nullptr;
    QAction* Install = nullptr;
    QAction* Special = nullptr;
    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr;
    QLineEdit* TxtID = nullptr;
    QComboBox *ComboToneSet = nullptr, *ComboBlow = nullptr;
    QCheckBox *ChkPGcall = nullptr, *ChkHooker = nullptr, *ChkSpeaker = nullptr;
    QLabel *lbFarmcall = nullptr, *lbRing = nullptr, *lbMarnet = nullptr, *lbFarmchannel = nullptr;
    QPushButton* CommandInstall = nullptr;
    QTableView* MFG5Tone = nullptr;
    QLineEdit *txtCallTone = nullptr, *txtIdentify = nullptr, *txtChannel = nullptr, *txtEmerg = nullptr;
    QListWidget* LstToneSet = nullptr;
    QComboBox* cmbTries = nullptr;
    QLabel* ToneTip = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorData& d_;
    std::shared_ptr<FiveToneList> list_;
    FiveToneSnapshot snapshot_;
    FiveToneGridModel* model_ = nullptr;
    int curRow_ = 0, curCol_ = 0;
    bool closing_ = false;
    bool committing_ = false;
    QLineEdit* refused_ = nullptr; // refused just now; it takes the focus back next

    std::array<std::string, 10> toneMsg_;
    std::array<std::string, 20> toneTipText_;
    std::array<std::string, 7> toneSetTip_;

    void BuildSettings();
    void BuildGrid();
    void BuildButtons();
    void FitColumns();
    void ShowFromList();
    void Tip(const std::string& text);
    void Message(int index);
    void PlaceEditor(QWidget* editor, int dx, int dy, int dw, int dh, bool ownHeight);
    void ShowCallToneEditor();
    void ShowTextEditor(QLineEdit* editor, const std::string& text);
    void ShowTriesEditor();
    void HideEditors();
    // False when the open editor's entry was refused (it stays open, empty, with the focus).
    bool CommitOpenEditor();
    void HoldRefused(QLineEdit* editor);
    // The refused box takes the focus back once the focus change is over.
    void TakeFocusBack(QLineEdit* box);
    void EditorLostFocus(QObject* editor);
    void FinishEditor(QWidget* editor);
    void EditorEscape(QWidget* editor);
    bool txtCallTone_LostFocus();
    void txtIdentify_LostFocus();
    bool txtChannel_LostFocus();
    void cmbTries_LostFocus();
    bool txtEmerg_LostFocus();
    void LstToneSet_Click(int index);
    bool TxtID_LostFocus();
    bool FocusCheckApplies(QEvent* event) const;
    bool OwnIdCheckApplies(QEvent* event) const;
    QWidget* OpenEditor() const;
    // The text boxes and the list laid over the grid's cells.
    std::array<QWidget*, 5> CellBoxes() const;
    bool IsCellEditor(const QObject* w) const;
};

} // namespace vt
