#pragma once
// The area names dialog: one row per area, the name edited in a box laid over its cell.
#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vt {

struct EditorData;

class Frm_Areaname : public QDialog {
    Q_OBJECT
public:
    explicit Frm_Areaname(EditorData& data, QWidget* parent = nullptr);

    void Command1_Click(); // OK
    void Command2_Click(); // Cancel
    // Grid rows as the names know them: header row 0, area i in row i.
    void MFGArea_Click(int row, int col);
    void MFGArea_Scroll();
    void txtName_LostFocus();
    int Rows() const;
    QString TextMatrix(int row, int col) const;

    QGroupBox* Frame1;
    QTableWidget* MFGArea;
    QLineEdit* txtName;
    QPushButton *Command1, *Command2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorData& d_;
    int row_ = 0, col_ = 0; // the last clicked cell

    void StartNameEdit();
    // Writes the box into the remembered cell; false (after the message) when refused.
    bool CommitName();
    void txtName_Return();
    void txtName_Escape();
    void FitGrid();
    void AreaLoadLanguage();
};

} // namespace vt
