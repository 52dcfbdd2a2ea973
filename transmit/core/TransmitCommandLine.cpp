#include "transmit/core/TransmitCommandLine.h"

namespace vt {

std::string JoinCommandLine(const std::vector<std::string>& args) {
    std::string line;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) line += ' ';
        line += args[i];
    }
    return line;
}

ToolMode ModeFromCommandLine(const std::string& commandLine) { return commandLine == "/R" ? ModeRead : ModeWrite; }

const char* ModeWord(ToolMode mode) { return mode == ModeRead ? "Read" : "Write"; }

} // namespace vt
