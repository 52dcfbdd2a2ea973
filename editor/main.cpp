#include "common/ProgramFolder.h"
#include "common/ui/MessageBox.h"
#include "editor/dataset/EditorData.h"
#include "editor/shell/ui/FrmWelcome.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "editor/shell/ui/ToolbarIcons.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Veltra");
    QApplication::setWindowIcon(QIcon(vt::ProgramPicture(64)));
    vt::ui::setDefaultMessageTitle("Data Editor");
    // The per-user folder and its Data/ exist before the first save dialog opens there; when it
    // cannot be made, each save says why.
    vt::PrepareProgramFolder();
    vt::EditorData data;
    // The main window exists only once the splash has ended; the editor ends with it.
    std::unique_ptr<vt::Frm_Radio> window;
    auto* splash = new vt::FrmWelcome([&] {
        window = std::make_unique<vt::Frm_Radio>(data);
        window->show();
    });
    splash->show();
    return app.exec();
}
