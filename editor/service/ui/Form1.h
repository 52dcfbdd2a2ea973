#pragma once
// The developer's test window: each button runs one self-check and lists its result lines.
// Nothing in the editor opens it except the main window's hidden button.
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace vt {

struct EditorData;

class Form1 : public QWidget {
    Q_OBJECT
public:
    Form1(EditorData& data, QWidget* parent = nullptr);

    // Floors a frequency in MHz to the 8.33 kHz raster, four decimals.
    QString AdjustRxFreq(const QString& sFreq) const;

    QPushButton *btnStart, *btnWrite, *ArChTest, *cmdFileTest, *Command2, *atBtn, *Command3, *Command1;
    QLineEdit* txtCt;
    QListWidget* lstResult;

public slots:
    void btnStart_Click();
    void btnWrite_Click();
    void ArChTest_Click();
    void cmdFileTest_Click();
    void Command2_Click();
    void atBtn_Click();
    void Command3_Click();
    void Command1_Click();

private:
    void Append(const std::vector<std::string>& lines);
    // Lists the lines and writes them to the named file of the program folder.
    void ListAndWrite(const std::vector<std::string>& lines, const char* fileName);

    EditorData& data_;
};

} // namespace vt
