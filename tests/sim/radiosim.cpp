// radiosim: a simulated radio on a pseudo-terminal, for trying the transfer tool by hand.
//   radiosim [--link FOLDER --com N] [--memory FILE] [--save FILE] [--silent] [--stop-after N]
//            [--corrupt-from N] [--corrupt-at N] [--late-echo-at N] [--late-echo-from N] [--late-echo-ms MS]
//            [--echo-twice] [--reply-delay MS] [--echo-delay MS] [--paced]
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

int Usage() {
    std::fprintf(stderr,
                 "usage: radiosim [--link FOLDER --com N] [--memory FILE] [--save FILE] [--silent]\n"
                 "                [--stop-after N] [--corrupt-from N] [--corrupt-at N] [--late-echo-at N]\n"
                 "                [--late-echo-from N] [--late-echo-ms MS] [--echo-twice] [--reply-delay MS]\n"
                 "                [--echo-delay MS] [--paced]\n"
                 "It answers call after call; each write stores the first 0x3BFF bytes after A0 20 20.\n");
    return 2;
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
        else if ((a == "--reply-delay") && (v = next())) opt.replyDelayMs = std::atoi(v);
        else if ((a == "--echo-delay") && (v = next())) opt.echoDelayMs = std::atoi(v);
        else return Usage();
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
