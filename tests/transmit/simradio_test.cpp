// The simulated radio as the transfer tests rely on it: it answers call after call, as a radio
// does, and a write stores exactly what came during it.
#include "common/SerialPort.h"
#include "tests/sim/SimRadio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

using namespace vt;

namespace {
// Sends bytes and collects what comes back until want bytes are in or a second passes quietly.
std::vector<uint8_t> Exchange(SerialPort& port, const std::vector<uint8_t>& bytes, size_t want) {
    port.Write(bytes);
    std::vector<uint8_t> got;
    uint8_t buf[4096];
    while (got.size() < want && port.WaitReadable(1000) == SerialPort::Wait::Readable) {
        size_t n = port.Read(buf, sizeof buf);
        got.insert(got.end(), buf, buf + n);
    }
    return got;
}
} // namespace

TEST(SimRadio, AnswersTheNextCallAfterAReadAndAfterAWrite) {
    auto before = sim::MakeTestImage(sim::kMemorySize, 3);
    auto image = sim::MakeTestImage(sim::kWriteBytes, 4);
    sim::SimRadio radio;
    radio.SetMemory(before);
    ASSERT_TRUE(radio.Start());
    SerialPort port;
    ASSERT_TRUE(port.Open(radio.DevicePath()));
    const std::vector<uint8_t> call{0x8C}, reply{0x83, 0x05};

    EXPECT_EQ(Exchange(port, call, 2), reply) << "first call";
    auto memory = Exchange(port, {0xA1, 0x21, 0x21}, 1 + sim::kMemorySize + 2);
    ASSERT_EQ(memory.size(), 1 + sim::kMemorySize + 2);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), memory.begin() + 1));

    EXPECT_EQ(Exchange(port, call, 2), reply) << "a call after a read";
    Exchange(port, {0xA0, 0x20, 0x20}, 0);
    EXPECT_EQ(Exchange(port, image, image.size()), image) << "every byte echoed";
    EXPECT_EQ(radio.StoredCount(), sim::kWriteBytes);

    std::this_thread::sleep_for(sim::kWriteEndQuiet + std::chrono::milliseconds(100)); // the write is over
    EXPECT_EQ(Exchange(port, call, 2), reply) << "a call after a write";
    auto after = radio.Memory();
    EXPECT_TRUE(std::equal(image.begin(), image.end(), after.begin()));
    EXPECT_TRUE(std::equal(before.begin() + sim::kWriteBytes, before.end(), after.begin() + sim::kWriteBytes))
        << "the next session's call is not stored";
}
