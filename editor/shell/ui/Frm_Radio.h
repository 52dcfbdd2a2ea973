#pragma once
// The main editor window: owns the view of the channel grid and the commands of the editor.
#include "editor/shell/core/EditorData.h"
#include "editor/shell/core/GridRules.h"

#include <QMainWindow>

namespace vt {

class Frm_Radio : public QMainWindow, public CoreMainWindow {
    Q_OBJECT
public:
    explicit Frm_Radio(EditorData& data, QWidget* parent = nullptr);

private:
    EditorData& data_;
};

} // namespace vt
