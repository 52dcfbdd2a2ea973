#pragma once
// The voltage table editor: one tab per band, the band's Rx and Tx tables side by side, each
// with its step box, scroll bar and 34 visible points. It edits the working copy of the tables
// and writes it to the table files on Save.
#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QKeyEvent;

namespace vt {

class VoltageTables;

class FrmTRxVoltage : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRows = 34;
    static constexpr int kTables = 16;

    explicit FrmTRxVoltage(VoltageTables& tables, QWidget* parent = nullptr);

    QTabWidget* SSTab1;
    std::array<QGroupBox*, kTables> Frame1{};
    std::array<QLabel*, kTables> Label2{};
    std::array<QLineEdit*, kTables> Text2{};
    std::array<QScrollBar*, kTables> VScroll1{};
    std::array<QLabel*, kTables * kRows> Label1{};
    std::array<QLineEdit*, kTables * kRows> Text1{};
    std::array<QPushButton*, 3> Command1{};

    void ShowTables(int index);
    void ScrollTable(int index, int value);

public slots:
    void Command1_Click(int index);
    void VScroll1_Change(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void BuildGrid();
    void BuildTab(int band);
    // False when the key is to be discarded.
    bool KeyPasses(bool allowPoint, QKeyEvent* key);
    // False when the box's text was refused (the message shown, the box about to take the
    // focus back).
    bool Text1_LostFocus(int index);
    bool Text2_LostFocus(int index);
    // Checks and stores the value box or step box that holds the focus, as leaving it would: an
    // access key or a click on a scroll bar leaves the focus where it is. False when refused.
    bool CommitFocusedBox(int onlyTable = -1);
    void Refuse(QLineEdit* box, const QString& message, const QString& resetText);
    // Writes the table files and reads them back into the loaded copy; false after a message.
    bool SaveAndReload();
    QString StepText(int table) const;

    VoltageTables& vt_;
    bool FirstShowFlag = false;
    // The scroll position each table's rows show; a typed value belongs to the point its row
    // showed when it was typed, even while the bar is already moving.
    std::array<int, kTables> shownPos_{};
};

} // namespace vt
