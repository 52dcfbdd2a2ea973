#pragma once
// Asked before a write to the radio when the options forbid changing the area or the channel:
// which area and which channel the radio keeps (fields 38 and 36 of the option record).
#include "editor/settings/core/JudgeDefault.h"

#include <QDialog>

#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vt {

struct EditorData;

class Frm_Default : public QDialog {
    Q_OBJECT
public:
    explicit Frm_Default(EditorData& data, QWidget* parent = nullptr);

    void LoadLanguage();
    void Command1_Click();
    int AskCode() const { return ask_.code; }

    QGroupBox* Frame1;
    QLabel *Label1, *Label2;
    QComboBox *ComboDArea, *ComboDCh;
    QPushButton* Command1;

private:
    EditorData& d_;
    std::string record_; // as read at load; OK writes it back with the chosen fields
    DefaultAsk ask_;
};

// The step of a write to the radio before the image is encoded: when the options forbid
// changing the area or the channel, asks for them (modally) and stores them in the record.
// The write goes on however the dialog was closed.
void RunDefaultBeforeWrite(EditorData& data, QWidget* parent);

} // namespace vt
