#pragma once
// A program folder of its own for an editor test: the build's language files and tables linked
// in, a blank in the folder's name (the tool must start from such a folder), VELTRA_HOME set.
#include "tests/support/ProgramHome.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace vt::test {

class EditorHome : public ProgramHome {
public:
    EditorHome() : ProgramHome("veltra home") { LinkProgramTables(Path(), {"Language", "resource", "Data"}); }

    // The real transfer tool, started from this folder.
    void LinkRealTool() const { std::filesystem::create_symlink(BuildProgramFolder() / "transmit", File("transmit")); }
    // A stand-in tool: a shell script with the given body; it records its arguments, the request
    // it found and whether rbuffer.bin existed when it started.
    void FakeTool(const std::string& body) const {
        std::ofstream s(File("transmit"));
        s << "#!/bin/sh\n"
             "cd \"$(dirname \"$0\")\"\n"
             "printf '%s\\n' \"$@\" > args.txt\n"
             "cp Msg.sys request.tmp && mv request.tmp request.bin\n"
             "[ -e rbuffer.bin ] && touch rbuffer_was_there\n"
             "status() { printf \"\\\\$(printf '%03o' $1)\" | dd of=Msg.sys bs=1 count=1 conv=notrunc 2>/dev/null; }\n"
          << body << "\n";
        s.close();
        std::filesystem::permissions(File("transmit"), std::filesystem::perms::owner_all);
    }
};

} // namespace vt::test
