#pragma once
// What the setup window's engine needs of its serial line. The window hands it the shared port;
// tests hand it a recorder or the simulated radio.
#include <cstddef>
#include <cstdint>

namespace vt {

class SetupLink {
public:
    virtual ~SetupLink() = default;
    // Opens the port for receiving when it is closed and empties its input; false when it
    // cannot be opened.
    virtual bool OpenForReceiving() = 0;
    virtual bool IsOpen() const = 0;
    // Sends the bytes; the number actually handed to the line (0 when the port is closed).
    virtual size_t Write(const uint8_t* data, size_t size) = 0;
    virtual void SetRts(bool on) = 0;
    virtual void DiscardInput() = 0;
    virtual void Pause(int milliseconds) = 0;
};

} // namespace vt
