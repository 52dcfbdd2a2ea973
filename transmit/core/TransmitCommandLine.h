#pragma once
// The editor starts the tool with "/R" to read the radio; the whole argument text is compared
// exactly, and anything else (including "/W", "/r" or "/R ") means a write.
#include "transmit/core/Supervisor.h"

#include <string>
#include <vector>

namespace vt {

// The arguments after the program name, joined by blanks as one command line.
std::string JoinCommandLine(const std::vector<std::string>& args);
ToolMode ModeFromCommandLine(const std::string& commandLine);
const char* ModeWord(ToolMode mode); // "Read" or "Write"

} // namespace vt
