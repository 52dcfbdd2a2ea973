#pragma once
// One run of the transfer tool in this process against the simulated radio: a fresh program
// folder, COM12 linked to the radio, every message box answered and recorded, and the tool's
// end observed instead of quitting the test.
#include "common/ui/MessageBox.h"
#include "tests/sim/SimRadio.h"
#include "tests/support/qt/WaitUntil.h"
#include "tests/transmit/helpers/ToolFolder.h"
#include "transmit/ui/TransmitApp.h"

#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace vt::test {

inline constexpr int kTestPort = 12;

struct ToolRun {
    ToolFolder folder;
    sim::SimRadio radio;
    ui::ScriptedMessageBox boxes;
    ui::ScopedMessageBox scope{&boxes};
    std::unique_ptr<TransmitApp> app;
    bool quit = false;

    ToolRun(const std::string& name, sim::SimOptions options = {}, uint8_t language = 0)
        : folder(name), radio(std::move(options)) {
        std::string error;
        if (!radio.Start(&error) || !radio.LinkAs(folder.Path(), kTestPort, &error)) qFatal("radio: %s", error.c_str());
        folder.WriteMsgSys(1, kTestPort, language);
    }
    ~ToolRun() {
        app.reset(); // closes the port before the radio goes
        radio.Stop();
    }

    TransmitApp::Start Launch(std::vector<std::string> args) {
        app = std::make_unique<TransmitApp>(folder.Path(), std::move(args));
        auto started = app->InitInstance();
        if (app->Window()) app->Window()->SetQuitHandler([this] { quit = true; });
        return started;
    }
    TransmitWindow& Window() { return *app->Window(); }
    TransmitDoc& Doc() { return app->Window()->Doc(); }
    void PressStart() { QTest::mouseClick(Window().StartButton(), Qt::LeftButton); }
    void PressStop() { QTest::mouseClick(Window().StopButton(), Qt::LeftButton); }
    bool WaitForEnd(int ms) { return WaitUntil([this] { return quit; }, ms); }

    // Every pause of the window thread, with the bytes the radio had received when it began.
    // Arrival times on a loaded machine bunch up, so the gaps between bytes are checked here, on
    // the tool's side: a byte that reached the radio before a pause went out before it.
    struct Paused {
        std::chrono::milliseconds time;
        size_t received;
    };
    std::vector<Paused> pauses;
    void RecordPauses() {
        Doc().SetPause([this](std::chrono::milliseconds t) {
            pauses.push_back({t, radio.Received().size()});
            std::this_thread::sleep_for(t);
        });
    }
    // The exit step of the program: the final status into Msg.sys.
    int Finish() {
        app->ExitInstance();
        return folder.Status();
    }
};

using sim::DistinctNeighbourImage;
using sim::ImageOnceInOrder;

} // namespace vt::test
