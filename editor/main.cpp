#include "common/ui/MessageBox.h"
#include "editor/shell/core/EditorData.h"
#include "editor/shell/ui/Frm_Radio.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Veltra");
    vt::ui::setDefaultMessageTitle("Data Editor");
    vt::EditorData data;
    vt::Frm_Radio window(data);
    window.show();
    return app.exec();
}
