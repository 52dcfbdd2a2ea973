#include "transmit/ui/TransmitApp.h"

#include "transmit/core/TransmitCommandLine.h"

namespace vt {

TransmitApp::TransmitApp(std::filesystem::path programFolder, std::vector<std::string> args)
    : folder_(std::move(programFolder)), commandLine_(JoinCommandLine(args)), instance_(folder_) {}

TransmitApp::~TransmitApp() = default;

TransmitApp::Start TransmitApp::InitInstance() {
    if (!instance_.Acquire()) {
        instance_.NotifyRunning();
        gaveWay_ = true;
        return Start::GaveWay;
    }
    window_ = std::make_unique<TransmitWindow>(folder_);
    QObject::connect(&instance_, &SingleInstance::bringForwardRequested, window_.get(),
                     [w = window_.get()] { w->BringForward(); });
    if (!window_->OnNewDocument(commandLine_)) return Start::Failed;
    window_->show();
    return Start::Running;
}

bool TransmitApp::ExitInstance() {
    if (gaveWay_ || !window_) return false;
    window_->Doc().ClosePort();
    return window_->Doc().WriteExitStatus();
}

} // namespace vt
