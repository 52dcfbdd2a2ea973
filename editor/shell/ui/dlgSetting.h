#pragma once
// The COM-port choice: the serial ports whose device exists, or COM1 to COM3 when none does.
// Not modal; OK stores the chosen number in CommPort (the port in use is chosen on opening;
// when it is not offered, a note under the list says which port to choose).
#include "common/ComPortMap.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vt {

struct EditorData;

class dlgSetting : public QDialog {
    Q_OBJECT
public:
    dlgSetting(EditorData& data, ComPortMap ports, QWidget* parent = nullptr);

    void Form_Load();
    void LoadLanguage();
    // Adds an item for every COM number whose port exists ("COM33 (/dev/ttyUSB0)").
    void ListSerialPorts();
    void CmdOk_Click();
    void CmdCancel_Click();

    QGroupBox* Frame1;
    QLabel *Label1, *Label2, *Label3;
    QComboBox* ComBoCommList;
    QLineEdit *txtPort, *txtSetting;
    QPushButton *CmdOk, *CmdCancel;

private:
    EditorData& d_;
    ComPortMap ports_;
    bool fallback_ = false; // no port found: COM1 to COM3 are offered
    int extra_ = 0;         // pixels the note needs beyond its designed line

    void LayOut();
};

// The number of a list item: the digits after "COM" (0 when there are none).
int ComNumberOfItem(const QString& text);

} // namespace vt
