#pragma once
// The window thread's half of a transfer: the handshake and the read reception on every
// notification of the reader thread, and the one-second supervision that ends the transfer.
#include "transmit/core/Supervisor.h"
#include "transmit/core/TransmitDoc.h"

namespace vt {

class TransmitProtocol {
public:
    explicit TransmitProtocol(TransmitDoc& doc) : doc_(doc) {}

    void OnCommNotify(unsigned wParam);
    void OnTimer();

    const Supervisor& Supervision() const { return supervisor_; }

private:
    void OnHandshakeBytes(const uint8_t* bytes, size_t n);
    void End(int state, uint8_t result, int message);

    TransmitDoc& doc_;
    Supervisor supervisor_;
    bool ended_ = false;
};

} // namespace vt
