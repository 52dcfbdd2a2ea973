// portprobe DEVICE: opens DEVICE the way the transfer tool does and closes it again. Exit 0 when
// it opened, 1 (with the reason on stderr) when not. Tests run it as another user.
#include "common/SerialPort.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: portprobe DEVICE\n");
        return 2;
    }
    vt::SerialPort port;
    std::string error;
    if (!port.Open(argv[1], {}, &error)) {
        std::fprintf(stderr, "portprobe: %s\n", error.c_str());
        return 1;
    }
    port.Close();
    return 0;
}
