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
#include <memory>

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
    // The exit step of the program: the final status into Msg.sys.
    int Finish() {
        app->ExitInstance();
        return folder.Status();
    }
};

// Checks that the image bytes on the wire (after the 4 command bytes) come in order, each the
// next one or a resend of the last (a byte not confirmed within 100 ms goes out again, which a
// loaded machine can cause now and then). Returns the number of resends, or -1 when out of order.
inline int ResendsInOrder(const std::vector<uint8_t>& wire, const std::vector<uint8_t>& image, size_t length) {
    size_t next = 0;
    int resends = 0;
    for (size_t i = 4; i < wire.size(); ++i) {
        if (next < length && wire[i] == image[next]) ++next;
        else if (next > 0 && wire[i] == image[next - 1]) ++resends;
        else return -1;
    }
    return next == length ? resends : -1;
}

// An image without equal neighbours (so a duplicated echo cannot pass for the next byte),
// holding every value and several 0xEB.
inline std::vector<uint8_t> DistinctNeighbourImage(size_t n) {
    auto img = sim::MakeTestImage(n, 7);
    for (size_t i = 1; i < n; ++i)
        if (img[i] == img[i - 1]) img[i] = static_cast<uint8_t>(img[i] + 1 == img[i + 1 < n ? i + 1 : i] ? img[i] + 2 : img[i] + 1);
    return img;
}

} // namespace vt::test
