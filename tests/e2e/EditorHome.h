#pragma once
// A program folder of its own for an editor test: the build's language files and tables linked
// in, a blank in the folder's name (the tool must start from such a folder), VELTRA_HOME set.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace vt::test {

class EditorHome {
public:
    EditorHome() : tmp_(QDir::tempPath() + "/veltra home XXXXXX") {
        namespace fs = std::filesystem;
        root_ = fs::path(tmp_.path().toStdString());
        for (const char* sub : {"Language", "resource", "Data"})
            fs::create_directory_symlink(fs::path(VELTRA_APP_DIR) / sub, root_ / sub);
        qputenv("VELTRA_HOME", QByteArray::fromStdString(root_.string()));
    }
    ~EditorHome() { qunsetenv("VELTRA_HOME"); }

    const std::filesystem::path& Path() const { return root_; }
    std::filesystem::path File(const char* name) const { return root_ / name; }
    std::vector<uint8_t> Read(const char* name) const {
        std::ifstream in(File(name), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    void Write(const char* name, const std::vector<uint8_t>& bytes) const {
        std::ofstream(File(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    // The real transfer tool, started from this folder.
    void LinkRealTool() const {
        std::filesystem::create_symlink(std::filesystem::path(VELTRA_APP_DIR) / "transmit", root_ / "transmit");
    }
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
    QTemporaryDir tmp_;
    std::filesystem::path root_;
};

} // namespace vt::test
