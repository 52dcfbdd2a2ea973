#pragma once
// The tool's start-up and exit: one copy per program folder, the window and its document, and
// the final status written into Msg.sys at exit.
#include "transmit/ui/SingleInstance.h"
#include "transmit/ui/TransmitWindow.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vt {

class TransmitApp {
public:
    enum class Start { Running, GaveWay, Failed };

    TransmitApp(std::filesystem::path programFolder, std::vector<std::string> args);
    ~TransmitApp();

    // A running copy is brought forward instead (GaveWay); Msg.sys that cannot be read ends the
    // tool (Failed); otherwise the window is shown, idle until START.
    Start InitInstance();
    // Writes the result, or 8 without one, into byte 0 of Msg.sys. A copy that gave way leaves
    // the file alone: it would overwrite the running transfer's status.
    bool ExitInstance();

    TransmitWindow* Window() const { return window_.get(); }

private:
    std::filesystem::path folder_;
    std::string commandLine_;
    SingleInstance instance_;
    std::unique_ptr<TransmitWindow> window_;
    bool gaveWay_ = false;
};

} // namespace vt
