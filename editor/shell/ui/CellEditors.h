#pragma once
// The logic of the channel grid's cell editors: which cell each one was opened on, where it
// lies, and what its Enter, choice or loss of focus writes (through the cell rules). The
// window owns the widgets and routes their events here.
#include "editor/dataset/CellRules.h"
#include "editor/shell/ui/CellEditorHost.h"
#include "editor/shell/ui/CellEditorOpening.h"

#include <QObject>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QComboBox;
class QEvent;
class QLineEdit;
class QListWidget;
class QWidget;

namespace vt {

struct EditorData;

struct CellEditorWidgets {
    QLineEdit *TxtTxFreq = nullptr, *TxtRxFreq = nullptr, *TxtName1 = nullptr, *TxtName2 = nullptr;
    QListWidget *lstCTENC = nullptr, *lstCTDEC = nullptr, *lstDCENC = nullptr, *lstDCDEC = nullptr;
    QLineEdit *txtOtherEnc = nullptr, *txtOtherDec = nullptr;
    QComboBox *ComboBCLO = nullptr, *ComboSCAN = nullptr, *ComboScan2 = nullptr, *Combo5Tone = nullptr,
              *ComboANI = nullptr, *ComboSelCall = nullptr;
    QLineEdit *TxtCTDEV = nullptr, *TxtPower = nullptr;
};

class CellEditors : public QObject {
    Q_OBJECT
public:
    // Fills the lists and combos and connects the lists' choices.
    CellEditors(EditorData& data, CellEditorHost& host, const CellEditorWidgets& w, QObject* parent);

    // The column's editor on (row, col) when it opens on that row; false when none does.
    bool Open(int row, int col);
    // Opens an editor on (row, col): text boxes and combos over the cell, lists beside it.
    void Show(QWidget* editor, int row, int col);
    // The SCAN column: the trunk/ACS combo on rows that allow it, the short one elsewhere.
    void ShowScan(int row, int col);
    void HideTonesExcept(int col);
    // A scroll hides every editor but the custom-tone boxes; an open text box or combo first
    // commits as its loss of focus would (a scroll is not a cancel).
    void HideForScroll();
    // A command is about to read the grid: the open text box or combo commits now, as its loss
    // of focus would, and closes. False when its value was refused (the message has been shown
    // and a frequency box keeps the focus): the command must not go on.
    bool CommitOpen();
    // The grid was rebuilt (New, Open, a read, a resize): every editor closes, writing nothing,
    // so none commits into a data set it was not opened on.
    void CloseAll();
    // A frequency box that refused its text keeps the focus: the grid must not move on.
    bool HoldsFocus() const;
    void ReturnFocus();

    // Key presses and focus changes of the editors; true when the event was consumed.
    bool Event(QObject* watched, QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return Event(watched, event); }

private:
    using Rule = std::function<CellCommit(const std::string& cell, const std::string& input)>;
    enum class Kind { Frequency, Name, CustomTone, CtDev, Power, Combo, ToneList, CodeList };
    struct Editor {
        Kind kind;
        Rule rule; // text editors and combos
        CellEditorOpening opening;
    };

    EditorData& d_;
    CellEditorHost& host_;
    CellEditorWidgets w_;
    std::map<QWidget*, Editor> editors_;
    QLineEdit* held_ = nullptr; // frequency box waiting for a good value or a blank

    void Add(QWidget* w, Kind kind, Rule rule = {});
    Editor* Find(QObject* w);
    void Close(QWidget* w);
    std::string CellText(int row, int col) const;
    void WriteCell(int row, int col, const std::string& text);
    void Say(const std::string& message, bool now);
    void AdvanceFrom(int row, int col);
    // What a SCAN combo offers on the row it was opened on.
    std::vector<std::string> ScanItems(QComboBox* combo, const std::vector<std::string>& items);

    void Place(QWidget* w, Kind kind, int row, int col);
    void OnEnter(QLineEdit* box, Editor& e);
    void OnFocusLost(QWidget* w, Editor& e);
    // The commit of a loss of focus, then the editor hides; false when the value was refused.
    bool Finish(QWidget* w, Editor& e, bool now);
    // The band and texts the rules judge by.
    CellContext Context() const;
    void OnChosen(QListWidget* list, int index);
    // A text editor's commit into its cell; the rule's result.
    CellCommit CommitText(QLineEdit* box, Editor& e, bool now);
    // False when the combo's text was refused.
    bool CommitCombo(QComboBox* combo, Editor& e, bool now);
};

} // namespace vt
