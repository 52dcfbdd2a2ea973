#pragma once
// A simulated radio on a pseudo-terminal: it answers the call byte 0x8C with 0x83 and a follow
// byte, streams 0xEB, its 16,000 memory bytes and a trailer after A1 21 21, and after A0 20 20
// stores and echoes every byte until its memory is full or the line has been quiet for
// kWriteEndQuiet; then, and once its memory is out after a read, it answers the next call. A call
// left without a command for kCallAbandon is given up. On request it stays silent, stops after N bytes, corrupts the
// echo from byte N or of byte N alone, loses the echo of a byte it stored, echoes twice, delays
// its answers, one echo or every echo by a random time, answers the call with other bytes, sends
// noise before the memory or right after the write command, starts with the rest of an earlier
// read still on the line, or paces its line at 9600 baud.
#include "transmit/core/EchoMatch.h"

#include <algorithm>
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
// A write whose line has been quiet both ways for this long is over (the tool supervises a
// stalled write for seconds only).
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
    long loseEchoAt = -1;         // write: the Nth byte received is stored, but its echo is lost on the line
    int jitterMs = 0;             // write: every echo comes a random 0 to jitterMs ms late (a USB adapter)
    long slowFrom = 0;            // write: echoDelayMs and jitterMs hold from the Nth byte received on
    long leftStream = -1;         // at start the last N memory bytes of an earlier read (and its trailer)
                                  // are still to come: queued at once, or streamed when paced; the
                                  // radio answers no call until they are out
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
    // Every byte the radio put on the line so far, and whether more are waiting to go.
    size_t SentCount() const;
    bool Sending() const;
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
    void StreamMemory(size_t from, Clock::time_point ready);
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
    size_t sent_ = 0;
    uint32_t jitter_ = 0x9E3779B9u;
    Clock::time_point inboundFree_{};
    Clock::time_point outboundFree_{};
    Clock::time_point lastOutput_{};
    Clock::time_point lastInput_{};
    std::vector<uint8_t> command_;
};

// A test image of n bytes holding every byte value, several 0xEB among them, the rest
// pseudo-random from the seed.
std::vector<uint8_t> MakeTestImage(size_t n, uint32_t seed = 1);

// Whether the wire, after the 4 command bytes, carries image bytes 0 to length - 1 each once and in
// order, and nothing else: then a radio that stores what it receives holds exactly them.
inline bool ImageOnceInOrder(const std::vector<uint8_t>& wire, const std::vector<uint8_t>& image, size_t length) {
    return wire.size() == 4 + length && std::equal(image.begin(), image.begin() + static_cast<long>(length), wire.begin() + 4);
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
