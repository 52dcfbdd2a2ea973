// portprobe DEVICE: opens DEVICE the way the transfer tool does and closes it again. Exit 0 when
// it opened, 1 (with the reason on stderr) when not. Tests run it as another user.
// portprobe --hold DEVICE: opens it, prints "held" and keeps it open until killed, like a
// transfer that is killed or crashes in the middle.
#include "common/SerialPort.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    const bool hold = argc == 3 && std::strcmp(argv[1], "--hold") == 0;
    if (argc != 2 && !hold) {
        std::fprintf(stderr, "usage: portprobe [--hold] DEVICE\n");
        return 2;
    }
    vt::SerialPort port;
    std::string error;
    if (!port.Open(argv[argc - 1], {}, &error)) {
        std::fprintf(stderr, "portprobe: %s\n", error.c_str());
        return 1;
    }
    if (hold) {
        std::printf("held\n");
        std::fflush(stdout);
        for (;;) ::pause();
    }
    port.Close();
    return 0;
}
