#include "tests/transmit/helpers/ToolFolder.h"

namespace vt::test {

// Others may enter and read, as in a user's home folder.
ToolFolder::ToolFolder(const std::string& name) : ProgramHome("veltra-tool-" + name) { OpenToEveryone(); }

int ToolFolder::Status() const {
    auto b = Read("Msg.sys");
    return b.empty() ? -1 : b[0];
}

} // namespace vt::test
