#include "transmit/core/EchoMatch.h"

namespace vt {

uint8_t EchoLedger::Send() {
    if (copies_++ > 0) ++resends_;
    ++sent_;
    return image_[index_];
}

EchoLedger::Echo EchoLedger::OnByte(uint8_t b) {
    ++received_;
    if (failed_) return Echo::Failed;
    if (!Done() && copies_ > 0 && b == image_[index_]) {
        prevCopies_ = copies_;
        prevExtra_ = false;
        copies_ = 0;
        ++index_;
        return Echo::Confirmed;
    }
    // Before the first byte went out nothing can be an echo, and the radio has stored nothing.
    if (sent_ == 0) return Echo::Dropped;
    // A radio that echoes twice: a second copy of the echo of a byte that went out once cannot
    // mean it was stored twice. Once anything was resent, an extra byte may be the resend's echo.
    if (prevCopies_ == 1 && !prevExtra_ && resends_ == 0 && b == image_[index_ - 1]) {
        prevExtra_ = true;
        return Echo::Dropped;
    }
    failed_ = true;
    return Echo::Failed;
}

} // namespace vt
