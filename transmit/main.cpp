// transmit: moves the radio memory image between the program folder and the radio.
//   transmit /R   reads the radio into rbuffer.bin
//   transmit /W   writes wbuffer.bin into the radio (any argument other than "/R" writes)
#include "common/ProgramFolder.h"
#include "common/ui/MessageBox.h"
#include "transmit/ui/TerminationSignals.h"
#include "transmit/ui/TransmitApp.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// Test hook only (end-to-end tests run the real program): with VELTRA_TRANSMIT_AUTOSTART=1 the
// tool presses its own START once the window is up and answers every box with OK, printing
// its text on stderr, one line a box (a line break in it as "\n"). Nothing sets this variable
// outside the tests.
class AutoAnswerBoxes : public vt::ui::ScriptedMessageBox {
public:
    vt::ui::MsgResult show(QWidget* parent, const QString& text, const QString& title, vt::ui::MsgButtons buttons,
                           vt::ui::MsgIcon icon) override {
        std::fprintf(stderr, "transmit box: %s\n", QString(text).replace('\n', "\\n").toUtf8().constData());
        std::fflush(stderr);
        return ScriptedMessageBox::show(parent, text, title, buttons, icon);
    }
};

bool AutoStartRequested() {
    const char* v = std::getenv("VELTRA_TRANSMIT_AUTOSTART");
    return v && std::strcmp(v, "1") == 0;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false); // the window's close ends the tool itself
    AutoAnswerBoxes autoBoxes;
    vt::ui::ScriptedMessageBox endingBoxes;
    std::unique_ptr<vt::ui::ScopedMessageBox> scope;
    bool autostart = AutoStartRequested();
    if (autostart) scope = std::make_unique<vt::ui::ScopedMessageBox>(&autoBoxes);

    // Caught from the start. Once the window is up they end the tool like its close box; before
    // that only a box of a failed start can be waiting (for a user who is gone): it and every
    // later box are answered OK, so the start fails and the exit step still runs.
    vt::TerminationSignals termination;
    std::vector<std::string> args(argv + 1, argv + argc);
    vt::TransmitApp tool(vt::ProgramFolder(), args);
    bool windowUp = false;
    QObject::connect(&termination, &vt::TerminationSignals::terminationRequested, &app, [&] {
        if (windowUp) {
            tool.Window()->close();
            return;
        }
        if (&vt::ui::messageBoxService() != &endingBoxes) {
            scope.reset(); // the previous service back first, then ours over it
            scope = std::make_unique<vt::ui::ScopedMessageBox>(&endingBoxes);
        }
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    switch (tool.InitInstance()) {
    case vt::TransmitApp::Start::GaveWay: return 0;
    case vt::TransmitApp::Start::Failed: tool.ExitInstance(); return 1;
    case vt::TransmitApp::Start::Running: break;
    }
    windowUp = true;
    if (autostart) QTimer::singleShot(0, tool.Window()->StartButton(), &QPushButton::click);
    app.exec();
    return tool.ExitInstance() ? 0 : 1;
}
