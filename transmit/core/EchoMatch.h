#pragma once
// The echo check of a write. The radio stores every byte it receives and echoes it, so the line
// can prove that it holds exactly the image only if every byte goes out once, in order, the next
// one only after the echo of the one before: a byte sent again may be stored twice (its echo may
// only be late), and nothing on the line tells that from a byte stored once. So nothing is ever
// sent again; a byte whose echo never comes is left to the supervision's stall ticks. Every byte
// that comes back must be the echo of the byte on the line; anything else means the radio got
// something it should not hold, and the write is lost.
// A radio that echoes every byte twice is told apart on the first byte: its second echo follows
// the first at once, where a radio that echoes once leaves the line quiet. From then on each
// byte must bring exactly that many echoes before the next one goes out.
#include <cstddef>
#include <cstdint>

namespace vt {

inline constexpr int kWriteLength = 0x3BFF; // image bytes 0 to 0x3BFE are sent
inline constexpr int kWriteProgressBase = 15360;

class EchoLedger {
public:
    enum class Echo { Confirmed, Pending, Dropped, Failed };

    // image must hold at least length bytes and outlive the ledger.
    EchoLedger(const uint8_t* image, int length) : image_(image), length_(length) {}

    // Where the write begins (tests start part-way).
    void StartAt(int index) { index_ = index; }
    // The next byte to confirm; the write is done when it reaches the length.
    int Index() const { return index_; }
    bool Done() const { return index_ >= length_; }
    bool Failed() const { return failed_; }
    // The next byte may go out: the one before has all its echoes.
    bool Ready() const { return !failed_ && !Done() && !onLine_; }

    // The byte to put on the line now (only when Ready).
    uint8_t Send();
    // A byte that came back from the radio.
    Echo OnByte(uint8_t b);

    // The first byte has its echo, and whether a second one follows is not known yet.
    bool AwaitingSecondEcho() const { return onLine_ && echoesPerByte_ == 0 && echoes_ == 1; }
    // The line stayed quiet after the first byte's echo: the radio echoes once.
    void EchoesOnce();
    // 1 or 2 once the first byte told; 0 before.
    int EchoesPerByte() const { return echoesPerByte_; }

    long Sent() const { return sent_; }
    long Received() const { return received_; }

private:
    void Confirm();

    const uint8_t* image_;
    int length_;
    int index_ = 0;
    bool onLine_ = false; // the byte at index_ went out and is waiting for its echoes
    int echoes_ = 0;      // echoes of it so far
    int echoesPerByte_ = 0;
    bool failed_ = false;
    long sent_ = 0, received_ = 0;
};

} // namespace vt
