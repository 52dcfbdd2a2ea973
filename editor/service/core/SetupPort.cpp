#include "editor/service/core/SetupPort.h"

#include "common/ComPortMap.h"
#include "common/TextUtil.h"
#include "editor/dataset/EditorData.h"

#include <chrono>
#include <thread>

namespace vt {

std::optional<SerialSettings> ParseCommSettings(const std::string& text) {
    const std::vector<std::string> parts = Split(text, ',');
    if (parts.size() != 4) return std::nullopt;
    const auto baud = ToWhole(Trim(parts[0]));
    const std::string parity = Trim(parts[1]);
    const auto bits = ToWhole(Trim(parts[2]));
    const auto stop = ToWhole(Trim(parts[3]));
    if (!baud || !bits || !stop || parity.size() != 1) return std::nullopt;
    SerialSettings s;
    s.baud = static_cast<int>(*baud);
    s.parity = parity[0];
    s.dataBits = static_cast<int>(*bits);
    s.stopBits = static_cast<int>(*stop);
    return s;
}

SetupPort::SetupPort(const EditorData& data) : data_(data) {}

bool SetupPort::Open(std::string* error) {
    if (port_.IsOpen()) return true;
    const auto device = ComPortMap::ForProgram().Device(data_.CommPort);
    if (!device) {
        if (error) *error = "COM" + std::to_string(data_.CommPort) + " has no device";
        return false;
    }
    const auto settings = ParseCommSettings(data_.CommSettings);
    if (!settings) {
        if (error) *error = "bad port settings " + data_.CommSettings;
        return false;
    }
    return port_.Open(*device, *settings, error);
}

void SetupPort::Close() { port_.Close(); }

bool SetupPort::OpenForReceiving() {
    if (!Open()) return false;
    port_.PurgeRx();
    return true;
}

size_t SetupPort::Write(const uint8_t* data, size_t size) { return port_.IsOpen() ? port_.Write(data, size) : 0; }

void SetupPort::Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

std::vector<uint8_t> SetupPort::ReadAll() {
    std::vector<uint8_t> out;
    uint8_t buf[1024];
    // Bounded: a line that never stops talking still returns after a few kilobytes.
    for (int round = 0; round < 16; ++round) {
        const size_t n = port_.Read(buf, sizeof buf);
        if (n == 0) break;
        out.insert(out.end(), buf, buf + n);
    }
    return out;
}

} // namespace vt
