#pragma once
// The echo check of a write. The radio stores every byte it receives and echoes it once, so the
// line tells whether it can still hold exactly the image: every byte that comes back must be the
// echo of the byte on the line. Anything else means the radio got something it should not hold
// (a wrong echo: garbage stored, or the byte itself whose resend would then be stored twice; a
// second echo of a resent byte: its first copy was stored after all), and the write is lost.
// A byte whose echo never came may be resent: nothing shows that the radio has it.
#include <cstddef>
#include <cstdint>

namespace vt {

inline constexpr int kWriteLength = 0x3BFF; // image bytes 0 to 0x3BFE are sent
inline constexpr int kWriteProgressBase = 15360;

class EchoLedger {
public:
    enum class Echo { Confirmed, Dropped, Failed };

    // image must hold at least length bytes and outlive the ledger.
    EchoLedger(const uint8_t* image, int length) : image_(image), length_(length) {}

    // Where the write begins (tests start part-way).
    void StartAt(int index) { index_ = index; }
    // The next byte to confirm; the write is done when it reaches the length.
    int Index() const { return index_; }
    bool Done() const { return index_ >= length_; }
    bool Failed() const { return failed_; }

    // The byte to put on the line now, counted as one more copy of it.
    uint8_t Send();
    // A byte that came back from the radio.
    Echo OnByte(uint8_t b);

    long Sent() const { return sent_; }
    long Resends() const { return resends_; }
    long Received() const { return received_; }

private:
    const uint8_t* image_;
    int length_;
    int index_ = 0;
    int copies_ = 0;      // copies of the byte at index_ sent so far
    int prevCopies_ = 0;  // copies of the byte confirmed last
    bool prevExtra_ = false;
    bool failed_ = false;
    long sent_ = 0, resends_ = 0, received_ = 0;
};

} // namespace vt
