#pragma once
// A simulated radio on a pseudo-terminal: it answers the call byte 0x8C with 0x83 and a follow
// byte, streams 0xEB, its 16,000 memory bytes and a trailer after A1 21 21, and after A0 20 20
// stores and echoes every byte until its memory is full or the line has been quiet for
// kWriteEndQuiet; then, and once its memory is out after a read, it answers the next call. A call
// left without a command for kCallAbandon is given up. On request it stays silent, stops after N bytes, corrupts the
// echo from byte N or of byte N alone, echoes twice, delays its answers or one echo, answers the
// call with other bytes, sends noise before the memory or right after the write command, or
// paces its line at 9600 baud.
#include "transmit/core/EchoMatch.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vt::sim {

inline constexpr size_t kMemorySize = 16000;
// What a write of the transfer tool sends.
inline constexpr size_t kWriteBytes = static_cast<size_t>(kWriteLength);
// A write whose line has been quiet both ways for this long is over (the tool resends a byte
// every 100 ms while it waits, and supervises a stalled write for seconds only).
inline constexpr std::chrono::seconds kWriteEndQuiet{1};
// A call answered, but without a command for this long, is given up (the tool waits 2 s).
inline constexpr std::chrono::seconds kCallAbandon{3};

struct SimOptions {
    bool silent = false;          // never answers the call byte
    long stopAfter = -1;          // read: stream only N memory bytes; write: store and echo only N bytes
    long corruptEchoFrom = -1;    // write: echoes of byte N and later are wrong
    long corruptEchoAt = -1;      // write: only the echo of the Nth byte received is wrong
    long lateEchoAt = -1;         // write: the echo of the Nth byte received comes lateEchoMs late
    long lateEchoFrom = -1;       // write: echoes of the Nth byte received and later come lateEchoMs late
    int lateEchoMs = 150;
    bool echoTwice = false;       // write: every echo is sent twice
    long lateCopyFrom = -1;       // write, with echoTwice: from byte N on the copy comes 20 ms later
    int replyDelayMs = 0;         // before the handshake reply
    int echoDelayMs = 0;          // before every echo
    bool paced = false;           // each byte takes one byte time (1/960 s) on the line, both ways
    uint8_t followByte = 0x05;    // the byte after 0x83
    std::vector<uint8_t> reply;   // the whole answer to the call byte instead (empty: 0x83, followByte)
    std::vector<uint8_t> preamble;          // read: bytes sent before the 0xEB marker
    std::vector<uint8_t> afterWriteCommand; // write: bytes sent at once after A0 20 20
    std::vector<uint8_t> trailer{0x00, 0x00};
};

struct TimedByte {
    uint8_t value;
    std::chrono::steady_clock::time_point at;
};

class SimRadio {
public:
    enum class Phase { Idle, Called, Reading, Writing };

    explicit SimRadio(SimOptions options = {});
    ~SimRadio();
    SimRadio(const SimRadio&) = delete;
    SimRadio& operator=(const SimRadio&) = delete;

    // Opens the pseudo-terminal pair and starts answering.
    bool Start(std::string* error = nullptr);
    void Stop();
    // Closes the radio's end: the tool sees its line hang up.
    void Hangup();
    // Back to idle, as a radio switched off and on: the next call byte is answered again.
    void Rearm();

    // The device the tool opens.
    std::string DevicePath() const { return slavePath_; }
    // Creates programFolder/ports/COM<n> pointing at the device.
    bool LinkAs(const std::filesystem::path& programFolder, int comNumber, std::string* error = nullptr);

    void SetMemory(const std::vector<uint8_t>& memory); // first 16,000 bytes are used
    std::vector<uint8_t> Memory() const;
    // Bytes stored by the current or last write.
    size_t StoredCount() const;
    Phase CurrentPhase() const;
    // Every byte the tool sent, in order, with its arrival time.
    std::vector<TimedByte> ReceivedTimed() const;
    std::vector<uint8_t> Received() const;
    // Write bytes that arrived while the echo of the one before had not yet left the radio: a
    // stop-and-wait sender never does that.
    size_t EarlyBytes() const;
    // Bytes of the read stream put on the line so far.
    size_t StreamedCount() const;
    // When the radio last put a byte on the line.
    std::chrono::steady_clock::time_point LastOutputAt() const;

    // Waits until pred() holds (checked whenever the radio changes) or the time-out passes.
    bool WaitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout) const;

    static constexpr double kByteSeconds = 1.0 / 960.0;

private:
    using Clock = std::chrono::steady_clock;
    struct Out {
        uint8_t value;
        Clock::time_point due;
    };
    void Run();
    void OnByte(uint8_t b, Clock::time_point now);
    void Send(uint8_t b, Clock::time_point ready);
    void FlushDue();
    Clock::duration ByteTime() const;

    SimOptions opt_;
    int master_ = -1;
    int slave_ = -1;
    int stop_ = -1;
    std::string slavePath_;
    std::thread thread_;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<uint8_t> memory_;
    std::vector<TimedByte> received_;
    std::vector<Out> out_; // pending output, in order
    size_t outHead_ = 0;
    Phase phase_ = Phase::Idle;
    size_t stored_ = 0;
    size_t early_ = 0;
    size_t streamed_ = 0;
    size_t streamTotal_ = 0;
    Clock::time_point inboundFree_{};
    Clock::time_point outboundFree_{};
    Clock::time_point lastOutput_{};
    Clock::time_point lastInput_{};
    std::vector<uint8_t> command_;
};

// A test image of n bytes holding every byte value, several 0xEB among them, the rest
// pseudo-random from the seed.
std::vector<uint8_t> MakeTestImage(size_t n, uint32_t seed = 1);

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

} // namespace vt::sim
