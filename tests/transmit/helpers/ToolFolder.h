#pragma once
// A fresh program folder for one test of the transfer tool: Msg.sys, wbuffer.bin and the
// ports/ links live here, and VELTRA_HOME points at it while the object lives.
#include "tests/support/ProgramHome.h"

#include <cstdint>
#include <string>

namespace vt::test {

class ToolFolder : public ProgramHome {
public:
    explicit ToolFolder(const std::string& name);

    void WriteMsgSys(uint8_t status, uint8_t port, uint8_t language) const { Write("Msg.sys", {status, port, language}); }
    // Byte 0 of Msg.sys, or -1 when it cannot be read.
    int Status() const;
};

} // namespace vt::test
