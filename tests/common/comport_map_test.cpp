#include "common/ComPortMap.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace vt;

namespace {
struct MapFolders {
    vt::test::TempDir root;
    fs::path program, dev;
    explicit MapFolders(const std::string& name) : root("veltra-ports-" + name) {
        program = root.Path() / "app";
        dev = root.Path() / "dev";
        fs::create_directories(program);
        fs::create_directories(dev);
    }
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

TEST(ComPortMap, SerialSlotsWithoutAUartAreNotOffered) {
    MapFolders f("uart");
    const fs::path sys = f.root.Path() / "sys";
    auto type = [&](const char* tty, const char* value) {
        fs::create_directories(sys / tty);
        std::ofstream(sys / tty / "type") << value << "\n";
    };
    for (const char* n : {"ttyS0", "ttyS1", "ttyS2", "ttyS3", "ttyUSB0"}) f.Node(n);
    type("ttyS0", "4"); // a 16550A
    type("ttyS1", "0"); // a reserved slot: PORT_UNKNOWN
    type("ttyS2", "0");
    // ttyS3 has no entry to ask; its node cannot say either (not a tty): it is offered.
    f.Link(2, f.dev / "ttyS1"); // a port the user named himself is always offered
    ComPortMap map(f.program, f.dev, sys);
    std::vector<int> numbers;
    for (const auto& e : map.List()) numbers.push_back(e.number);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 4, 33}));
    // The map itself is unchanged: COM3 still names ttyS2.
    EXPECT_EQ(map.Device(3), f.dev / "ttyS2");
}

TEST(ComPortMap, UsbAdaptersShowTheirByIdName) {
    MapFolders f("byid");
    f.Node("ttyUSB0");
    f.Node("ttyACM1");
    const fs::path byId = f.dev / "serial" / "by-id";
    fs::create_directories(byId);
    const std::string ftdi = "usb-FTDI_FT232R_USB_UART_A10K7Q2B-if00-port0";
    fs::create_symlink("../../ttyUSB0", byId / ftdi);
    fs::create_symlink("../../gone", byId / "usb-Old_Adapter-if00");
    auto list = ComPortMap(f.program, f.dev).List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].byId, ftdi);
    EXPECT_EQ(ComPortLabel(list[0]), "COM33 (" + (f.dev / "ttyUSB0").string() + ") " + ftdi);
    EXPECT_EQ(list[1].number, 66);
    EXPECT_EQ(ComPortLabel(list[1]), "COM66 (" + (f.dev / "ttyACM1").string() + ")");
}

// The machine's own ports, as the dialog lists them: every ttyS offered has a UART by the
// kernel's account, and every slot the kernel reports empty is left out.
TEST(ComPortMap, TheMachinesSerialSlotsFollowTheKernel) {
    MapFolders f("machine");
    const fs::path sys = "/sys/class/tty";
    if (!fs::exists(sys)) GTEST_SKIP() << "no sysfs";
    ComPortMap map(f.program, "/dev", sys);
    std::vector<std::string> listed;
    for (const auto& e : map.List()) listed.push_back(e.device.filename().string());
    int checked = 0;
    for (int i = 0; i < 32; ++i) {
        const std::string tty = "ttyS" + std::to_string(i);
        std::ifstream in(sys / tty / "type");
        int t = -1;
        if (!(in >> t) || !fs::exists("/dev/" + tty)) continue;
        ++checked;
        const bool offered = std::find(listed.begin(), listed.end(), tty) != listed.end();
        EXPECT_EQ(offered, t != 0) << tty << " type " << t;
    }
    if (checked == 0) GTEST_SKIP() << "no serial slots on this machine";
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
