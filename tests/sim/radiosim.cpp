// radiosim: a simulated radio on a pseudo-terminal, for trying the transfer tool by hand.
//   radiosim [--link FOLDER --com N] [--memory FILE] [--save FILE] [--silent] [--stop-after N]
//            [--corrupt-from N] [--corrupt-at N] [--late-echo-at N] [--late-echo-from N] [--late-echo-ms MS]
//            [--lose-echo-at N] [--jitter MS] [--left-stream N] [--echo-twice] [--reply-delay MS]
//            [--echo-delay MS] [--paced]
// It prints the device, serves until Ctrl+C, then writes its memory to --save.
#include "tests/sim/SimRadio.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) { gStop = 1; }

// --help prints it on stdout and exits 0; a wrong option prints it on stderr and exits 2.
int Usage(bool asked) {
    std::fprintf(asked ? stdout : stderr,
                 "usage: radiosim [options]\n"
                 "A simulated radio on a pseudo-terminal: prints the device, answers the transfer tool's\n"
                 "handshake, streams its memory on a read, stores and echoes every byte of a write (a\n"
                 "byte sent twice is stored twice; a write ends when the line has been quiet for a\n"
                 "second or the memory is full), answers call after call, and serves until Ctrl+C.\n"
                 "\n"
                 "  --link FOLDER --com N  link FOLDER/ports/COM<N> to the device (N 1 by default), so that\n"
                 "                         the tool with COM N in FOLDER's Msg.sys opens it\n"
                 "  --memory FILE          start with the memory held in FILE (16,000 bytes used)\n"
                 "  --save FILE            write the memory to FILE on Ctrl+C\n"
                 "  --help                 this text\n"
                 "Faults to play:\n"
                 "  --silent               never answer the call: the tool finds no radio\n"
                 "  --stop-after N         read: stream only N memory bytes; write: store and echo only\n"
                 "                         N bytes, then fall silent (a transfer cut half-way)\n"
                 "  --corrupt-from N       write: the echoes of byte N and every later byte are wrong\n"
                 "  --corrupt-at N         write: only the echo of the Nth byte received is wrong\n"
                 "  --late-echo-at N       write: the echo of the Nth byte received comes %d ms late\n"
                 "  --late-echo-from N     write: the echoes of byte N and every later byte come late\n"
                 "  --late-echo-ms MS      how late a late echo comes (%d ms by default)\n"
                 "  --lose-echo-at N       write: the Nth byte received is stored, its echo never comes\n"
                 "  --jitter MS            write: every echo comes a random 0 to MS ms late, as through a\n"
                 "                         USB adapter\n"
                 "  --left-stream N        start with the last N memory bytes of an earlier read (and its\n"
                 "                         trailer) still to come, as after a read that was stopped; no\n"
                 "                         call is answered until they are out\n"
                 "  --echo-twice           write: every echo is sent twice\n"
                 "  --reply-delay MS       wait MS milliseconds before the handshake reply\n"
                 "  --echo-delay MS        wait MS milliseconds before every echo\n"
                 "  --paced                each byte takes one byte time (1/960 s) on the line, both ways,\n"
                 "                         as on a real 9600-baud line\n",
                 vt::sim::SimOptions{}.lateEchoMs, vt::sim::SimOptions{}.lateEchoMs);
    return asked ? 0 : 2;
}
} // namespace

int main(int argc, char** argv) {
    vt::sim::SimOptions opt;
    std::string link, memoryFile, saveFile;
    int com = 1;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (a == "--help" || a == "-h") return Usage(true);
        if (a == "--silent") opt.silent = true;
        else if (a == "--echo-twice") opt.echoTwice = true;
        else if (a == "--paced") opt.paced = true;
        else if ((a == "--link") && (v = next())) link = v;
        else if ((a == "--com") && (v = next())) com = std::atoi(v);
        else if ((a == "--memory") && (v = next())) memoryFile = v;
        else if ((a == "--save") && (v = next())) saveFile = v;
        else if ((a == "--stop-after") && (v = next())) opt.stopAfter = std::atol(v);
        else if ((a == "--corrupt-from") && (v = next())) opt.corruptEchoFrom = std::atol(v);
        else if ((a == "--corrupt-at") && (v = next())) opt.corruptEchoAt = std::atol(v);
        else if ((a == "--late-echo-at") && (v = next())) opt.lateEchoAt = std::atol(v);
        else if ((a == "--late-echo-from") && (v = next())) opt.lateEchoFrom = std::atol(v);
        else if ((a == "--late-echo-ms") && (v = next())) opt.lateEchoMs = std::atoi(v);
        else if ((a == "--lose-echo-at") && (v = next())) opt.loseEchoAt = std::atol(v);
        else if ((a == "--jitter") && (v = next())) opt.jitterMs = std::atoi(v);
        else if ((a == "--left-stream") && (v = next())) opt.leftStream = std::atol(v);
        else if ((a == "--reply-delay") && (v = next())) opt.replyDelayMs = std::atoi(v);
        else if ((a == "--echo-delay") && (v = next())) opt.echoDelayMs = std::atoi(v);
        else return Usage(false);
    }
    vt::sim::SimRadio radio(opt);
    if (!memoryFile.empty()) {
        std::ifstream in(memoryFile, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "radiosim: cannot read %s\n", memoryFile.c_str());
            return 1;
        }
        radio.SetMemory(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
    } else {
        radio.SetMemory(vt::sim::MakeTestImage(vt::sim::kMemorySize));
    }
    std::string error;
    if (!radio.Start(&error)) {
        std::fprintf(stderr, "radiosim: %s\n", error.c_str());
        return 1;
    }
    std::printf("radiosim: radio on %s\n", radio.DevicePath().c_str());
    if (!link.empty()) {
        if (!radio.LinkAs(link, com, &error)) {
            std::fprintf(stderr, "radiosim: cannot link COM%d: %s\n", com, error.c_str());
            return 1;
        }
        std::printf("radiosim: %s/ports/COM%d points at it\n", link.c_str(), com);
    }
    std::fflush(stdout);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    while (!gStop) ::usleep(100000);
    radio.Stop();
    std::printf("radiosim: received %zu bytes, stored %zu\n", radio.Received().size(), radio.StoredCount());
    if (!saveFile.empty()) {
        auto mem = radio.Memory();
        std::ofstream out(saveFile, std::ios::binary);
        out.write(reinterpret_cast<const char*>(mem.data()), static_cast<std::streamsize>(mem.size()));
    }
    return 0;
}
