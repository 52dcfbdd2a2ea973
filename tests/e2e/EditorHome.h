#pragma once
// A program folder of its own for an editor test: the build's language files and tables linked
// in, a blank in the folder's name (the tool must start from such a folder), VELTRA_HOME set.
// The editor starts its tool from beside its own executable (a test's is build/bin/): while the
// object lives, a start of that tool runs the one in this folder instead.
#include "common/ProgramFolder.h"
#include "common/ui/ProcessStarter.h"
#include "tests/support/ProgramHome.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace vt::test {

class EditorHome : public ProgramHome {
public:
    EditorHome() : ProgramHome("veltra home"), tool_(File("transmit")), scope_(&tool_) {
        LinkProgramTables(Path(), {"Language", "resource", "Data"});
    }

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

private:
    // Runs the folder's tool where the editor asked for the one of its installation; anything
    // else is started as asked.
    class FolderTool : public ui::QtProcessStarter {
    public:
        explicit FolderTool(std::filesystem::path tool) : tool_(std::move(tool)) {}
        bool start(const QString& program, const QStringList& args, QObject* context,
                   std::function<void()> onFinished) override {
            const bool ours = program == QString::fromStdString(ToolProgram().string());
            return QtProcessStarter::start(ours ? QString::fromStdString(tool_.string()) : program, args, context,
                                           std::move(onFinished));
        }

    private:
        std::filesystem::path tool_;
    };
    FolderTool tool_;
    ui::ScopedProcessStarter scope_;
};

} // namespace vt::test
