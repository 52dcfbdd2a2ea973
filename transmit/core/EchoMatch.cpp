#include "transmit/core/EchoMatch.h"

namespace vt {

uint8_t EchoLedger::Send() {
    onLine_ = true;
    echoes_ = 0;
    ++sent_;
    return image_[index_];
}

void EchoLedger::Confirm() {
    onLine_ = false;
    echoes_ = 0;
    ++index_;
}

void EchoLedger::EchoesOnce() {
    if (!AwaitingSecondEcho()) return;
    echoesPerByte_ = 1;
    Confirm();
}

EchoLedger::Echo EchoLedger::OnByte(uint8_t b) {
    ++received_;
    if (failed_) return Echo::Failed;
    // Before the first byte went out nothing can be an echo, and the radio has stored nothing;
    // after the last one's echoes the image is in, whatever the radio says next.
    if (sent_ == 0 || Done()) return Echo::Dropped;
    if (!onLine_ || b != image_[index_]) {
        failed_ = true;
        return Echo::Failed;
    }
    const int wanted = echoesPerByte_ == 0 ? 2 : echoesPerByte_;
    if (++echoes_ < wanted) return Echo::Pending;
    echoesPerByte_ = wanted;
    Confirm();
    return Echo::Confirmed;
}

} // namespace vt
