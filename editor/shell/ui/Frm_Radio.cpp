#include "editor/shell/ui/Frm_Radio.h"

#include <QLabel>

namespace vt {

Frm_Radio::Frm_Radio(EditorData& data, QWidget* parent) : QMainWindow(parent), CoreMainWindow(data), data_(data) {
    setObjectName("Frm_Radio");
    setWindowTitle("Data Editor");
    auto* label = new QLabel("Data Editor", this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
    resize(900, 600);
}

} // namespace vt
