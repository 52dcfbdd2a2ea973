#pragma once
// What the transfer logic needs of the window it runs in: the supervision timer, the progress
// bar, the START button, modal message boxes, the end of the program, and the queued
// notification from the reader thread to the window thread.
#include <string>

namespace vt {

class TransmitHost {
public:
    virtual ~TransmitHost() = default;
    virtual void StartTimer() = 0;   // timer 1, every kSupervisionTick (TransmitTimings.h)
    virtual bool StopTimer() = 0;    // false when the timer could not be stopped
    virtual void ResetProgress() = 0; // range 0..100, position 0
    virtual void SetProgress(int percent) = 0;
    virtual void DisableStart() = 0;
    virtual void ConnectionChanged() = 0; // START/STOP enabling follows the connection
    virtual void ShowMessage(const std::string& text) = 0; // modal, OK only
    virtual void RequestQuit() = 0;
    // Called on the reader thread: the window thread is to call TransmitProtocol::OnCommNotify(1)
    // soon, once per call.
    virtual void PostCommNotify() = 0;
};

} // namespace vt
