#include "tests/sim/SimRadio.h"

#include "common/SerialPort.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vt::sim {

namespace {
void SetError(std::string* error, const std::string& text) {
    if (error) *error = text + ": " + std::strerror(errno);
}
} // namespace

SimRadio::SimRadio(SimOptions options) : opt_(std::move(options)), memory_(kMemorySize, 0) {}

SimRadio::~SimRadio() { Stop(); }

bool SimRadio::Start(std::string* error) {
    char name[256] = {};
    termios raw{};
    ::cfmakeraw(&raw);
    raw.c_cflag |= CLOCAL | CREAD;
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
        SetError(error, "openpty");
        return false;
    }
    slavePath_ = name;
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    stop_ = ::eventfd(0, EFD_CLOEXEC);
    if (stop_ < 0) {
        SetError(error, "eventfd");
        return false;
    }
    if (opt_.leftStream >= 0) {
        std::lock_guard lock(mutex_);
        StreamMemory(kMemorySize - std::min<size_t>(static_cast<size_t>(opt_.leftStream), kMemorySize), Clock::now());
    }
    thread_ = std::thread([this] { Run(); });
    return true;
}

void SimRadio::Stop() {
    if (thread_.joinable()) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(stop_, &one, sizeof one);
        thread_.join();
    }
    for (int* fd : {&master_, &slave_, &stop_})
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
}

void SimRadio::Hangup() { Stop(); }

void SimRadio::Rearm() {
    std::lock_guard lock(mutex_);
    phase_ = Phase::Idle;
    command_.clear();
    stored_ = 0;
}

size_t SimRadio::EarlyBytes() const {
    std::lock_guard lock(mutex_);
    return early_;
}

bool SimRadio::LinkAs(const fs::path& programFolder, int comNumber, std::string* error) {
    std::error_code ec;
    fs::path dir = programFolder / "ports";
    fs::create_directories(dir, ec);
    fs::path link = dir / ("COM" + std::to_string(comNumber));
    fs::remove(link, ec);
    fs::create_symlink(slavePath_, link, ec);
    if (ec && error) *error = ec.message();
    return !ec;
}

void SimRadio::SetMemory(const std::vector<uint8_t>& memory) {
    std::lock_guard lock(mutex_);
    std::fill(memory_.begin(), memory_.end(), 0);
    std::copy_n(memory.begin(), std::min(memory.size(), kMemorySize), memory_.begin());
}

std::vector<uint8_t> SimRadio::Memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

size_t SimRadio::StoredCount() const {
    std::lock_guard lock(mutex_);
    return stored_;
}

SimRadio::Phase SimRadio::CurrentPhase() const {
    std::lock_guard lock(mutex_);
    return phase_;
}

std::vector<TimedByte> SimRadio::ReceivedTimed() const {
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<uint8_t> SimRadio::Received() const {
    std::lock_guard lock(mutex_);
    std::vector<uint8_t> out;
    out.reserve(received_.size());
    for (auto& t : received_) out.push_back(t.value);
    return out;
}

size_t SimRadio::StreamedCount() const {
    std::lock_guard lock(mutex_);
    return streamed_;
}

size_t SimRadio::SentCount() const {
    std::lock_guard lock(mutex_);
    return sent_;
}

bool SimRadio::Sending() const {
    std::lock_guard lock(mutex_);
    return outHead_ < out_.size();
}

std::chrono::steady_clock::time_point SimRadio::LastOutputAt() const {
    std::lock_guard lock(mutex_);
    return lastOutput_;
}

bool SimRadio::WaitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout) const {
    auto until = Clock::now() + timeout;
    std::unique_lock lock(mutex_);
    while (true) {
        lock.unlock();
        bool ok = pred();
        lock.lock();
        if (ok) return true;
        // Short waits: pred may read state that changes without a notification.
        if (changed_.wait_until(lock, std::min(until, Clock::now() + std::chrono::milliseconds(20))) ==
                std::cv_status::timeout &&
            Clock::now() >= until) {
            lock.unlock();
            return pred();
        }
    }
}

SimRadio::Clock::duration SimRadio::ByteTime() const {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kByteSeconds));
}

void SimRadio::Send(uint8_t b, Clock::time_point ready) {
    Clock::time_point due = ready;
    if (opt_.paced) {
        due = std::max(ready, outboundFree_) + ByteTime();
        outboundFree_ = due;
    }
    out_.push_back({b, due});
}

// The memory from byte from on and the trailer, as a read streams it; no call is answered until
// it is out.
void SimRadio::StreamMemory(size_t from, Clock::time_point ready) {
    phase_ = Phase::Reading;
    size_t n = opt_.stopAfter >= 0 ? std::min<size_t>(from + opt_.stopAfter, kMemorySize) : kMemorySize;
    for (size_t i = from; i < n; ++i) Send(memory_[i], ready);
    if (opt_.stopAfter < 0)
        for (uint8_t t : opt_.trailer) Send(t, ready);
    streamed_ = 0;
    streamTotal_ = out_.size() - outHead_;
}

void SimRadio::OnByte(uint8_t b, Clock::time_point now) {
    received_.push_back({b, now});
    Clock::time_point arrived = now;
    if (opt_.paced) {
        arrived = std::max(now, inboundFree_) + ByteTime();
        inboundFree_ = arrived;
    }
    auto quiet = arrived - std::max(lastInput_, lastOutput_);
    if ((phase_ == Phase::Called && quiet >= kCallAbandon) || (phase_ == Phase::Writing && quiet >= kWriteEndQuiet)) {
        phase_ = Phase::Idle;
        command_.clear();
    }
    lastInput_ = arrived;
    switch (phase_) {
    case Phase::Idle:
        if (b == 0x8C && !opt_.silent) {
            phase_ = Phase::Called;
            auto ready = arrived + std::chrono::milliseconds(opt_.replyDelayMs);
            if (opt_.reply.empty()) {
                Send(0x83, ready);
                Send(opt_.followByte, ready);
            } else {
                for (uint8_t r : opt_.reply) Send(r, ready);
            }
        }
        break;
    case Phase::Called: {
        command_.push_back(b);
        if (command_.size() < 3) break;
        const uint8_t* c = command_.data() + command_.size() - 3;
        if (c[0] == 0xA1 && c[1] == 0x21 && c[2] == 0x21) {
            for (uint8_t p : opt_.preamble) Send(p, arrived);
            Send(0xEB, arrived);
            StreamMemory(0, arrived);
        } else if (c[0] == 0xA0 && c[1] == 0x20 && c[2] == 0x20) {
            phase_ = Phase::Writing;
            stored_ = 0;
            early_ = 0;
            for (uint8_t a : opt_.afterWriteCommand) Send(a, arrived);
        }
        break;
    }
    case Phase::Writing: {
        if (opt_.stopAfter >= 0 && stored_ >= static_cast<size_t>(opt_.stopAfter)) break;
        if (stored_ > 0 && outHead_ < out_.size()) ++early_;
        size_t index = stored_++;
        if (index < kMemorySize) memory_[index] = b;
        uint8_t echo = b;
        if (opt_.corruptEchoFrom >= 0 && index >= static_cast<size_t>(opt_.corruptEchoFrom)) echo = b ^ 0x5A;
        if (opt_.corruptEchoAt >= 0 && index == static_cast<size_t>(opt_.corruptEchoAt)) echo = b ^ 0x5A;
        const bool slow = index >= static_cast<size_t>(std::max(opt_.slowFrom, 0L));
        auto ready = arrived + std::chrono::milliseconds(slow ? opt_.echoDelayMs : 0);
        if ((opt_.lateEchoAt >= 0 && index == static_cast<size_t>(opt_.lateEchoAt)) ||
            (opt_.lateEchoFrom >= 0 && index >= static_cast<size_t>(opt_.lateEchoFrom)))
            ready += std::chrono::milliseconds(opt_.lateEchoMs);
        if (opt_.jitterMs > 0 && slow) {
            jitter_ ^= jitter_ << 13;
            jitter_ ^= jitter_ >> 17;
            jitter_ ^= jitter_ << 5;
            ready += std::chrono::microseconds(jitter_ % (static_cast<uint32_t>(opt_.jitterMs) * 1000 + 1));
        }
        const bool lost = opt_.loseEchoAt >= 0 && index == static_cast<size_t>(opt_.loseEchoAt);
        if (!lost) Send(echo, ready);
        if (opt_.echoTwice && !lost) {
            bool late = opt_.lateCopyFrom >= 0 && index >= static_cast<size_t>(opt_.lateCopyFrom);
            Send(echo, late ? ready + std::chrono::milliseconds(20) : ready);
        }
        if (stored_ == kMemorySize) { // the memory is full: the radio is itself again
            phase_ = Phase::Idle;
            command_.clear();
        }
        break;
    }
    case Phase::Reading:
        break;
    }
}

void SimRadio::FlushDue() {
    auto now = Clock::now();
    size_t end = outHead_;
    uint8_t buf[4096];
    size_t n = 0;
    while (end < out_.size() && out_[end].due <= now && n < sizeof buf) buf[n++] = out_[end++].value;
    if (n == 0) return;
    ssize_t w = ::write(master_, buf, n);
    if (w <= 0) return; // queue full: the poll waits for room
    outHead_ += static_cast<size_t>(w);
    sent_ += static_cast<size_t>(w);
    lastOutput_ = Clock::now();
    if (phase_ == Phase::Reading) {
        streamed_ += static_cast<size_t>(w);
        if (streamed_ >= streamTotal_) { // the memory is out: the next call is answered
            phase_ = Phase::Idle;
            command_.clear();
        }
    }
    if (outHead_ > 65536) {
        out_.erase(out_.begin(), out_.begin() + static_cast<long>(outHead_));
        outHead_ = 0;
    }
}

void SimRadio::Run() {
    // The radio is hardware: its own delays must not count against the tool.
    MakeThreadTimeCritical();
    uint8_t buf[4096];
    for (;;) {
        short events = POLLIN;
        timespec ts{};
        timespec* timeout = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (outHead_ < out_.size()) {
                auto wait = out_[outHead_].due - Clock::now();
                if (wait <= Clock::duration::zero()) {
                    events |= POLLOUT; // due now: wake when the queue has room
                } else {
                    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
                    ts.tv_sec = ns / 1000000000;
                    ts.tv_nsec = ns % 1000000000;
                    timeout = &ts;
                }
            }
        }
        pollfd fds[2] = {{master_, events, 0}, {stop_, POLLIN, 0}};
        int r = ::ppoll(fds, 2, timeout, nullptr);
        if (r < 0 && errno != EINTR) break;
        if (fds[1].revents & POLLIN) break;
        std::lock_guard lock(mutex_);
        if (fds[0].revents & POLLIN) {
            ssize_t n = ::read(master_, buf, sizeof buf);
            auto now = Clock::now();
            for (ssize_t i = 0; i < n; ++i) OnByte(buf[i], now);
        } else if (fds[0].revents & (POLLERR | POLLNVAL | POLLHUP)) {
            break;
        }
        FlushDue();
        changed_.notify_all();
    }
}

std::vector<uint8_t> MakeTestImage(size_t n, uint32_t seed) {
    std::vector<uint8_t> out(n);
    uint32_t x = seed ? seed : 1;
    for (size_t i = 0; i < n; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out[i] = static_cast<uint8_t>(x >> 11);
    }
    // Every value once near the start, then 0xEB sprinkled through the rest.
    for (size_t v = 0; v < 256 && v + 3 < n; ++v) out[v + 3] = static_cast<uint8_t>(v);
    for (size_t i = 300; i < n; i += 997) out[i] = 0xEB;
    return out;
}

} // namespace vt::sim
