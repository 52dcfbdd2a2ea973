#pragma once
// The setup window's serial port: COM n of the editor's data through the shared COM-port map,
// opened with the editor's port settings. It is the line both the command panel and the
// automatic engine use.
#include "common/SerialPort.h"
#include "editor/service/core/SetupLink.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vt {

struct EditorData;

// "9600,n,8,1" (baud, parity, data bits, stop bits); nothing when the text is not of that form.
std::optional<SerialSettings> ParseCommSettings(const std::string& text);

class SetupPort : public SetupLink {
public:
    explicit SetupPort(const EditorData& data);

    // Opens COM CommPort with CommSettings when closed; false and *error when it cannot.
    bool Open(std::string* error = nullptr);
    void Close();

    bool OpenForReceiving() override;
    bool IsOpen() const override { return port_.IsOpen(); }
    size_t Write(const uint8_t* data, size_t size) override;
    void SetRts(bool on) override { port_.SetRts(on); }
    void DiscardInput() override { port_.PurgeRx(); }
    void Pause(int milliseconds) override;
    // Waits until what was written has left the port.
    void Drain() { port_.Drain(); }
    // Everything queued now, without waiting.
    std::vector<uint8_t> ReadAll();

private:
    const EditorData& data_;
    SerialPort port_;
};

} // namespace vt
