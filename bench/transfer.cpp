// A write and a read through the real transmit program against the simulated radio paced at
// 9600 baud (960 bytes/s each way). Prints each transfer's time and its ratio to the line limit:
// read 16,003 bytes streamed at 960 bytes/s; write 15,359 bytes stop-and-wait, two byte times
// each (32.0 s). For the write it prints the per-byte turnaround of the tool (median, mean, 99th
// percentile, maximum) and, in the same run, that of a minimal one-thread echo loop over the same
// kind of pseudo-terminal: the floor that the line, the simulated radio and the machine leave.
// The simulated radio stores every byte it receives, so a write is right when its memory holds
// exactly the image; the bench prints that, whether every image byte reached the radio once and
// in order, and for a write that ended with the echo error how long it waited for an echo. A
// write that ends 0x80 over a wrong image is the fault it looks for; it sums up how many writes
// completed exact and how many ended 0x40, and why. The read is timed as the user sees it, from
// START to the final status in Msg.sys. Paced: about 35 s a write and 20 s for the read.
//   bench_transfer [--load[=N]] [--writes=N] [path/to/transmit]
// --load keeps N threads (default: one per CPU) spinning for the whole run, at most 10 minutes,
// and makes five writes unless --writes says how many (one without --load).
#include "common/ExchangeFiles.h"
#include "common/SerialPort.h"
#include "tests/sim/SimRadio.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {
constexpr int kCom = 9;
constexpr size_t kWriteLength = vt::sim::kWriteBytes;
constexpr size_t kCommandBytes = 4; // 0x8C, then A0 20 20

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void WriteFile(const fs::path& p, const std::vector<uint8_t>& bytes) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
}

int StatusOf(const fs::path& folder) {
    std::ifstream in(folder / "Msg.sys", std::ios::binary);
    int c = in.get();
    return in ? c : -1;
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// Busy threads on every CPU, as a machine under a build: each spins until stopped, and gives up
// by itself after the deadline so a bench that hangs does not keep the machine busy.
class Load {
public:
    explicit Load(unsigned threads) {
        auto deadline = Clock::now() + std::chrono::minutes(10);
        for (unsigned i = 0; i < threads; ++i)
            threads_.emplace_back([this, deadline] {
                volatile unsigned long spin = 0;
                while (!stop_.load(std::memory_order_relaxed) && Clock::now() < deadline)
                    for (int k = 0; k < 10000; ++k) spin = spin + 1;
            });
    }
    ~Load() {
        stop_ = true;
        for (auto& t : threads_) t.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

// Notes when byte 0 of Msg.sys first holds a final status (8 and up), as the editor would see it.
class FinalStatusWatch {
public:
    explicit FinalStatusWatch(fs::path folder) : folder_(std::move(folder)), thread_([this] { Run(); }) {}
    ~FinalStatusWatch() {
        stop_ = true;
        thread_.join();
    }
    // Once the tool has ended: its last write may not have been seen yet, so it waits a little.
    Clock::time_point At() const {
        for (int i = 0; i < 200 && at_.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return Clock::time_point(Clock::duration(at_.load()));
    }

private:
    void Run() {
        while (!stop_) {
            int s = StatusOf(folder_);
            if (s >= 8 && at_.load() == 0) at_ = Clock::now().time_since_epoch().count();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    fs::path folder_;
    std::atomic<bool> stop_{false};
    std::atomic<Clock::rep> at_{0};
    std::thread thread_;
};

// Per-byte turnaround in ms: from one image byte reaching the radio to the next one.
struct Turnaround {
    double median = 0, mean = 0, p99 = 0, max = 0;
    size_t bytes = 0;
};
Turnaround TurnaroundOf(const std::vector<vt::sim::TimedByte>& wire, size_t from) {
    std::vector<double> gaps;
    for (size_t i = from + 1; i < wire.size(); ++i) gaps.push_back(Seconds(wire[i].at - wire[i - 1].at) * 1000);
    Turnaround t;
    if (gaps.empty()) return t;
    std::sort(gaps.begin(), gaps.end());
    double sum = 0;
    for (double g : gaps) sum += g;
    t.bytes = gaps.size();
    t.median = gaps[gaps.size() / 2];
    t.mean = sum / double(gaps.size());
    t.p99 = gaps[gaps.size() * 99 / 100];
    t.max = gaps.back();
    return t;
}

// The floor: one thread that sends a byte, waits for its echo and sends the next, over its own
// paced simulated radio; no second thread, no hand-over. It runs beside the tool's write, so both
// meet the same load at the same time.
class EchoLoopFloor {
public:
    EchoLoopFloor() : radio_(Paced()), thread_([this] { Run(); }) {}
    ~EchoLoopFloor() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    // The turnaround of the bytes that reached the radio between from and to.
    Turnaround Between(Clock::time_point from, Clock::time_point to) {
        Stop();
        auto wire = radio_.ReceivedTimed();
        radio_.Stop();
        std::vector<vt::sim::TimedByte> during;
        for (size_t i = kCommandBytes; i < wire.size(); ++i)
            if (wire[i].at >= from && wire[i].at <= to) during.push_back(wire[i]);
        return TurnaroundOf(during, 0);
    }

private:
    static vt::sim::SimOptions Paced() {
        vt::sim::SimOptions opt;
        opt.paced = true;
        return opt;
    }
    void Run() {
        vt::SerialPort port;
        if (!radio_.Start() || !port.Open(radio_.DevicePath())) return;
        vt::MakeThreadTimeCritical();
        auto image = vt::sim::MakeTestImage(vt::sim::kMemorySize, 13);
        // However late the echo: the floor waits for it, as it has no time-out of its own.
        auto waitFor = [&](size_t n) {
            uint8_t buf[16];
            size_t got = 0;
            while (got < n && !stop_) {
                auto wait = port.WaitReadable(200);
                if (wait == vt::SerialPort::Wait::Readable) got += port.Read(buf, sizeof buf);
                else if (wait != vt::SerialPort::Wait::Timeout) break;
            }
            return got >= n;
        };
        const uint8_t call = 0x8C, command[] = {0xA0, 0x20, 0x20};
        port.Write(&call, 1);
        if (!waitFor(2)) return;
        port.Write(command, sizeof command);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        for (size_t i = 0; !stop_; ++i) {
            port.Write(&image[i % image.size()], 1);
            if (!waitFor(1)) return;
        }
    }
    vt::sim::SimRadio radio_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// How far the wire (after the 4 command bytes) carries the image once and in order; true when
// nothing else is on it.
bool OnceInOrder(const std::vector<uint8_t>& wire, const std::vector<uint8_t>& image, size_t* inOrder) {
    size_t next = 0;
    for (size_t i = kCommandBytes; i < wire.size() && next < kWriteLength && wire[i] == image[next]; ++i) ++next;
    *inOrder = next;
    return wire.size() == kCommandBytes + next;
}

// Runs the tool with its test hook (it presses START itself) and waits for it to end.
bool RunTool(const fs::path& tool, const fs::path& folder, const char* arg) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.push_back("VELTRA_HOME=" + folder.string());
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("VELTRA_TRANSMIT_AUTOSTART=1");
    std::vector<char*> envp;
    for (auto& s : env) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string path = tool.string(), a = arg;
    char* argv[] = {path.data(), a.data(), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return false;
    int st = 0;
    return waitpid(pid, &st, 0) == pid && WIFEXITED(st);
}

struct Figures {
    double run = 0, transfer = 0, startToStatus = 0;
    int status = -1;
    bool right = false; // write: the radio's memory is exactly the image; read: rbuffer.bin is the memory
    bool onceInOrder = false; // every byte on the wire is the next image byte
    size_t inOrder = 0;       // image bytes that reached the radio once and in order
    double longestGap = 0;    // the longest time between two image bytes reaching the radio (s)
    Turnaround perByte, floor;
};

Figures Transfer(const fs::path& tool, bool write) {
    fs::path folder = fs::temp_directory_path() / ("veltra_bench_" + std::to_string(::getpid()) + (write ? "_w" : "_r"));
    fs::remove_all(folder);
    fs::create_directories(folder);
    vt::sim::SimOptions opt;
    opt.paced = true;
    vt::sim::SimRadio radio(opt);
    // Without equal neighbours, a resend on the wire cannot pass for the next image byte.
    auto image = write ? vt::sim::DistinctNeighbourImage(vt::kImageSize) : vt::sim::MakeTestImage(vt::kImageSize, 12);
    Figures f;
    if (!radio.Start() || !radio.LinkAs(folder, kCom)) return f;
    WriteFile(folder / "Msg.sys", {1, kCom, 0});
    if (write) WriteFile(folder / "wbuffer.bin", image);
    else radio.SetMemory(image);

    auto t0 = Clock::now();
    bool ran;
    Clock::time_point final;
    std::optional<EchoLoopFloor> floor;
    if (write) floor.emplace();
    {
        FinalStatusWatch watch(folder);
        ran = RunTool(tool, folder, write ? "/W" : "/R");
        final = watch.At();
    }
    f.run = Seconds(Clock::now() - t0);
    f.status = ran ? StatusOf(folder) : -1;
    auto wire = radio.ReceivedTimed();
    // START: the call byte reaching the radio, a few ms after the press.
    if (!wire.empty() && final != Clock::time_point{}) f.startToStatus = Seconds(final - wire[0].at);
    auto byte = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(vt::sim::SimRadio::kByteSeconds));
    if (write && wire.size() > kCommandBytes) {
        // First image byte leaving the PC to the last echo coming back.
        f.transfer = Seconds(wire.back().at - wire[kCommandBytes].at + 2 * byte);
        f.onceInOrder = OnceInOrder(radio.Received(), image, &f.inOrder);
        for (size_t i = kCommandBytes + 1; i < wire.size(); ++i)
            f.longestGap = std::max(f.longestGap, Seconds(wire[i].at - wire[i - 1].at));
        auto memory = radio.Memory();
        f.right = radio.StoredCount() == kWriteLength && std::equal(image.begin(), image.begin() + kWriteLength, memory.begin());
        f.perByte = TurnaroundOf(wire, kCommandBytes);
        f.floor = floor->Between(wire[kCommandBytes].at, wire.back().at);
    } else if (!write && wire.size() >= kCommandBytes) {
        // As the user sees it: START to the final status.
        f.transfer = f.startToStatus;
        std::ifstream in(folder / "rbuffer.bin", std::ios::binary);
        std::vector<uint8_t> got((std::istreambuf_iterator<char>(in)), {});
        f.right = got.size() == vt::kRadioImageSize && std::equal(got.begin(), got.end(), image.begin());
    }
    radio.Stop();
    fs::remove_all(folder);
    return f;
}

void Print(const char* what, const Figures& f, double limit) {
    std::printf("%-5s status 0x%02X %s  tool run %6.2f s  transfer %6.2f s  line limit %6.2f s  ratio %.3f\n", what,
                f.status, f.right ? "data right" : "DATA WRONG", f.run, f.transfer, limit, f.transfer / limit);
}

void PrintTurnaround(const char* what, const Turnaround& t, double lineMs) {
    std::printf("  %-22s %7.3f %7.3f %7.3f %7.1f   %.3f\n", what, t.median, t.mean, t.p99, t.max, t.mean / lineMs);
}
} // namespace

int main(int argc, char** argv) {
    unsigned loadThreads = 0;
    int writes = 0;
    fs::path tool = fs::read_symlink("/proc/self/exe").parent_path() / ".." / "app" / "transmit";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--load") == 0) loadThreads = std::max(1u, std::thread::hardware_concurrency());
        else if (std::strncmp(argv[i], "--load=", 7) == 0) loadThreads = unsigned(std::max(1, std::atoi(argv[i] + 7)));
        else if (std::strncmp(argv[i], "--writes=", 9) == 0) writes = std::max(1, std::atoi(argv[i] + 9));
        else tool = argv[i];
    }
    if (writes == 0) writes = loadThreads ? 5 : 1;
    if (!fs::exists(tool)) {
        std::fprintf(stderr, "bench_transfer: no transmit program at %s\n", tool.c_str());
        return 1;
    }
    const double lineMs = 2000 * vt::sim::SimRadio::kByteSeconds; // a byte out and its echo back
    std::printf("paced simulated radio at 960 bytes/s each way; load average %s; %s; running as uid %d\n",
                LoadAverage().c_str(),
                loadThreads ? (std::to_string(loadThreads) + " busy threads").c_str() : "no added load", int(::getuid()));
    Load load(loadThreads);

    int exact = 0, wrong = 0, stalled = 0, otherEcho = 0, other = 0;
    bool writesOk = true;
    for (int n = 1; n <= writes; ++n) {
        std::printf("--- write %d of %d\n", n, writes);
        Figures w = Transfer(tool, true);
        Print("write", w, kWriteLength * lineMs / 1000);
        std::printf("write: %zu image bytes once and in order on the wire%s; the radio's image is %s%s\n", w.inOrder,
                    w.onceInOrder ? ", nothing else" : ", THEN SOMETHING ELSE", w.right ? "exact" : "NOT exact",
                    w.status == 0x80 && !w.right ? ": COMPLETED OVER A WRONG IMAGE" : "");
        const Turnaround& floor = w.floor;
        std::printf("write: per byte (ms)       median    mean     p99     max   mean/line\n");
        PrintTurnaround("tool", w.perByte, lineMs);
        PrintTurnaround("one-thread echo loop", floor, lineMs);
        std::printf("  %-22s %7.3f\n", "line", lineMs);
        std::printf("write: tool above floor: %.3f ms a byte (median), %.3f ms (mean), %.3f ms (p99); ratio %.3f "
                    "above the floor's %.3f\n",
                    w.perByte.median - floor.median, w.perByte.mean - floor.mean, w.perByte.p99 - floor.p99,
                    (w.perByte.mean - floor.mean) / lineMs, floor.mean / lineMs);
        std::printf("write: START to final status %.2f s; longest wait for an echo %.3f s\n", w.startToStatus,
                    w.longestGap);
        if (w.status == 0x80 && w.right) ++exact;
        else if (w.status == 0x80) ++wrong;
        else if (w.status == 0x40 && w.onceInOrder) ++stalled; // the radio echoed right: the echoes stopped coming
        else if (w.status == 0x40) ++otherEcho;
        else ++other;
        writesOk = writesOk && w.status == 0x80 && w.right;
    }
    std::printf("writes: %d in all: %d completed with the radio exact; %d ended 0x40 (%d after three seconds in "
                "all without an echo, every byte sent once and in order; %d with something else on the line); %d "
                "ended otherwise; %d COMPLETED OVER A WRONG IMAGE\n",
                writes, exact, stalled + otherEcho, stalled, otherEcho, other, wrong);

    Figures r = Transfer(tool, false);
    // What the protocol itself takes besides the stream: call byte and reply, the 1000 + 200 ms
    // pauses, the command bytes with 10 ms after each; the end waits for the next 1 s tick.
    double fixed = 1.2 + 0.04 + 6 * vt::sim::SimRadio::kByteSeconds;
    Print("read", r, 16003 / 960.0);
    std::printf("read: START to final status %.2f s; handshake and pauses %.2f s + stream %.2f s = %.2f s "
                "(ratio %.3f), plus up to 1 s to the next supervision tick\n",
                r.startToStatus, fixed, 16003 / 960.0, fixed + 16003 / 960.0, r.startToStatus / (fixed + 16003 / 960.0));
    std::printf("load average at the end %s\n", LoadAverage().c_str());
    return writesOk && wrong == 0 && r.status == 0x80 && r.right ? 0 : 1;
}
