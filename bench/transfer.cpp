// A write and a read through the real transmit program against the simulated radio paced at
// 9600 baud (960 bytes/s each way). Prints each transfer's time and its ratio to the line limit:
// read 16,003 bytes streamed at 960 bytes/s; write 15,359 bytes stop-and-wait, two byte times
// each (32.0 s). For the write it also prints the median per-byte turnaround of the tool and, in
// the same run, that of a minimal one-thread echo loop over the same kind of pseudo-terminal: the
// floor that the line, the simulated radio and the machine leave. The read is timed as the user
// sees it, from START to the final status in Msg.sys. Paced: about a minute and a half in all.
//   bench_transfer [path/to/transmit]
#include "common/ExchangeFiles.h"
#include "common/SerialPort.h"
#include "tests/sim/SimRadio.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// Notes when byte 0 of Msg.sys first holds a final status (8 and up), as the editor would see it.
class FinalStatusWatch {
public:
    explicit FinalStatusWatch(fs::path folder) : folder_(std::move(folder)), thread_([this] { Run(); }) {}
    ~FinalStatusWatch() {
        stop_ = true;
        thread_.join();
    }
    Clock::time_point At() const { return at_; }

private:
    void Run() {
        while (!stop_) {
            int s = StatusOf(folder_);
            if (s >= 8 && at_ == Clock::time_point{}) at_ = Clock::now();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    fs::path folder_;
    std::atomic<bool> stop_{false};
    Clock::time_point at_{};
    std::thread thread_;
};

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Per byte: from one image byte reaching the radio to the next one, in ms.
std::vector<double> Gaps(const std::vector<vt::sim::TimedByte>& wire, size_t from) {
    std::vector<double> gaps;
    for (size_t i = from + 1; i < wire.size(); ++i) gaps.push_back(Seconds(wire[i].at - wire[i - 1].at) * 1000);
    return gaps;
}

// The floor: one thread that sends a byte, waits for its echo and sends the next, over a paced
// simulated radio; no second thread, no hand-over. Per-byte turnaround in ms: median and mean.
struct Floor {
    double median = 0, mean = 0;
};
Floor EchoLoopFloor(size_t bytes) {
    vt::sim::SimOptions opt;
    opt.paced = true;
    vt::sim::SimRadio radio(opt);
    vt::SerialPort port;
    if (!radio.Start() || !port.Open(radio.DevicePath())) return {};
    vt::MakeThreadTimeCritical();
    auto image = vt::sim::MakeTestImage(bytes, 13);
    auto waitFor = [&](size_t n) {
        uint8_t buf[16];
        size_t got = 0;
        while (got < n && port.WaitReadable(1000) == vt::SerialPort::Wait::Readable) got += port.Read(buf, sizeof buf);
        return got >= n;
    };
    const uint8_t call = 0x8C, command[] = {0xA0, 0x20, 0x20};
    port.Write(&call, 1);
    if (!waitFor(2)) return {};
    port.Write(command, sizeof command);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    for (size_t i = 0; i < bytes; ++i) {
        port.Write(&image[i], 1);
        if (!waitFor(1)) return {};
    }
    port.Close();
    auto wire = radio.ReceivedTimed();
    radio.Stop();
    if (wire.size() <= 5) return {};
    auto gaps = Gaps(wire, 4);
    double sum = 0;
    for (double g : gaps) sum += g;
    return {Median(gaps), sum / double(gaps.size())};
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
    double run = 0, transfer = 0, startToStatus = 0, perByte = 0;
    int status = -1;
    bool exact = false;
};

Figures Transfer(const fs::path& tool, bool write) {
    fs::path folder = fs::temp_directory_path() / ("veltra_bench_" + std::to_string(::getpid()) + (write ? "_w" : "_r"));
    fs::remove_all(folder);
    fs::create_directories(folder);
    vt::sim::SimOptions opt;
    opt.paced = true;
    vt::sim::SimRadio radio(opt);
    auto image = vt::sim::MakeTestImage(vt::kImageSize, write ? 11 : 12);
    Figures f;
    if (!radio.Start() || !radio.LinkAs(folder, kCom)) return f;
    WriteFile(folder / "Msg.sys", {1, kCom, 0});
    if (write) WriteFile(folder / "wbuffer.bin", image);
    else radio.SetMemory(image);

    auto t0 = Clock::now();
    bool ran;
    Clock::time_point final;
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
    if (write && wire.size() > 4) {
        // First image byte leaving the PC to the last echo coming back.
        f.transfer = Seconds(wire.back().at - wire[4].at + 2 * byte);
        auto mem = radio.Memory();
        f.exact = wire.size() == 4 + 0x3BFF && std::equal(image.begin(), image.begin() + 0x3BFF, mem.begin());
        auto gaps = Gaps(wire, 4);
        std::sort(gaps.begin(), gaps.end());
        f.perByte = Median(gaps);
        if (!gaps.empty())
            std::printf("write: per byte median %.3f ms, 99%% %.3f ms, max %.1f ms (line: %.3f ms)\n",
                        gaps[gaps.size() / 2], gaps[gaps.size() * 99 / 100], gaps.back(),
                        2000 * vt::sim::SimRadio::kByteSeconds);
        if (!f.exact) std::printf("write: %zu bytes on the wire, %zu expected\n", wire.size(), size_t(4 + 0x3BFF));
    } else if (!write && wire.size() >= 4) {
        // As the user sees it: START to the final status.
        f.transfer = f.startToStatus;
        std::ifstream in(folder / "rbuffer.bin", std::ios::binary);
        std::vector<uint8_t> got((std::istreambuf_iterator<char>(in)), {});
        f.exact = got.size() == vt::kRadioImageSize && std::equal(got.begin(), got.end(), image.begin());
    }
    radio.Stop();
    fs::remove_all(folder);
    return f;
}

void Print(const char* what, const Figures& f, double limit) {
    std::printf("%-5s status 0x%02X %s  tool run %6.2f s  transfer %6.2f s  line limit %6.2f s  ratio %.3f\n", what,
                f.status, f.exact ? "data exact" : "DATA WRONG", f.run, f.transfer, limit, f.transfer / limit);
}
} // namespace

int main(int argc, char** argv) {
    fs::path tool = argc > 1 ? fs::path(argv[1]) : fs::read_symlink("/proc/self/exe").parent_path() / ".." / "app" / "transmit";
    if (!fs::exists(tool)) {
        std::fprintf(stderr, "bench_transfer: no transmit program at %s\n", tool.c_str());
        return 1;
    }
    const double byteMs = 1000 * vt::sim::SimRadio::kByteSeconds;
    std::printf("paced simulated radio at 960 bytes/s each way\n");
    Figures w = Transfer(tool, true);
    Print("write", w, 0x3BFF * 2 / 960.0);
    Floor floor = EchoLoopFloor(3000);
    std::printf("write: per byte median: tool %.3f ms, one-thread echo loop %.3f ms, line %.3f ms; tool above "
                "floor %.3f ms a byte\n",
                w.perByte, floor.median, 2 * byteMs, w.perByte - floor.median);
    std::printf("write: one-thread echo loop mean %.3f ms a byte: ratio %.3f to the line (the floor for the tool's "
                "ratio)\n",
                floor.mean, floor.mean / (2 * byteMs));
    std::printf("write: START to final status %.2f s\n", w.startToStatus);
    Figures r = Transfer(tool, false);
    // What the protocol itself takes besides the stream: call byte and reply, the 1000 + 200 ms
    // pauses, the command bytes with 10 ms after each; the end waits for the next 1 s tick.
    double fixed = 1.2 + 0.04 + 6 * vt::sim::SimRadio::kByteSeconds;
    Print("read", r, 16003 / 960.0);
    std::printf("read: START to final status %.2f s; handshake and pauses %.2f s + stream %.2f s = %.2f s "
                "(ratio %.3f), plus up to 1 s to the next supervision tick\n",
                r.startToStatus, fixed, 16003 / 960.0, fixed + 16003 / 960.0, r.startToStatus / (fixed + 16003 / 960.0));
    bool ok = w.status == 0x80 && r.status == 0x80 && w.exact && r.exact;
    return ok ? 0 : 1;
}
