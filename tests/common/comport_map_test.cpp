#include "common/ComPortMap.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace vt;

namespace {
struct MapFolders {
    fs::path root, program, dev;
    explicit MapFolders(const std::string& name) {
        root = fs::temp_directory_path() / ("veltra_ports_" + name + "_" + std::to_string(::getpid()));
        fs::remove_all(root);
        program = root / "app";
        dev = root / "dev";
        fs::create_directories(program);
        fs::create_directories(dev);
    }
    ~MapFolders() { fs::remove_all(root); }
    void Node(const std::string& n) const { std::ofstream(dev / n) << ""; }
    void Link(int com, const fs::path& target) const {
        fs::create_directories(program / "ports");
        fs::create_symlink(target, program / "ports" / ("COM" + std::to_string(com)));
    }
};
} // namespace

TEST(ComPortMap, NumbersMapToTheThreeDeviceFamilies) {
    MapFolders f("families");
    ComPortMap map(f.program, f.dev);
    EXPECT_EQ(map.Device(1), f.dev / "ttyS0");
    EXPECT_EQ(map.Device(32), f.dev / "ttyS31");
    EXPECT_EQ(map.Device(33), f.dev / "ttyUSB0");
    EXPECT_EQ(map.Device(64), f.dev / "ttyUSB31");
    EXPECT_EQ(map.Device(65), f.dev / "ttyACM0");
    EXPECT_EQ(map.Device(96), f.dev / "ttyACM31");
    EXPECT_FALSE(map.Device(97));
    EXPECT_FALSE(map.Device(0));
    EXPECT_FALSE(map.Device(-3));
    EXPECT_FALSE(map.Device(256));
}

TEST(ComPortMap, LinkInProgramFolderWinsEvenBeyondTheFamilies) {
    MapFolders f("links");
    f.Node("ttyUSB3");
    f.Link(1, f.dev / "ttyUSB3");
    f.Link(200, f.dev / "ttyUSB3");
    ComPortMap map(f.program, f.dev);
    EXPECT_EQ(map.Device(1), f.program / "ports" / "COM1");
    EXPECT_EQ(map.Device(200), f.program / "ports" / "COM200");
    EXPECT_EQ(map.DeviceForName("com200"), f.program / "ports" / "COM200");
    EXPECT_EQ(map.Device(2), f.dev / "ttyS1");
}

TEST(ComPortMap, ListShowsOnlyExistingDevicesWithTheirPaths) {
    MapFolders f("list");
    f.Node("ttyS0");
    f.Node("ttyUSB0");
    f.Node("ttyACM31");
    f.Link(5, f.dev / "ttyUSB0");
    f.Link(7, f.dev / "gone"); // dangling: not offered
    ComPortMap map(f.program, f.dev);
    auto list = map.List();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].number, 1);
    EXPECT_EQ(list[1].number, 5);
    EXPECT_EQ(list[1].device, f.dev / "ttyUSB0");
    EXPECT_EQ(list[2].number, 33);
    EXPECT_EQ(list[3].number, 96);
    EXPECT_EQ(ComPortLabel(list[2]), "COM33 (" + (f.dev / "ttyUSB0").string() + ")");
}

TEST(ComPortMap, EmptyFolderListsNothing) {
    MapFolders f("empty");
    EXPECT_TRUE(ComPortMap(f.program, f.dev).List().empty());
}

TEST(ComPortMap, ParsesPortNames) {
    EXPECT_EQ(ParseComName("COM12"), 12);
    EXPECT_EQ(ParseComName("com3"), 3);
    EXPECT_EQ(ParseComName("COM255"), 255);
    EXPECT_FALSE(ParseComName("COM"));
    EXPECT_FALSE(ParseComName("COM1x"));
    EXPECT_FALSE(ParseComName("LPT1"));
    EXPECT_FALSE(ParseComName("COM 1"));
    EXPECT_FALSE(ParseComName(""));
}
