#pragma once
// The bytes the radio sends after the call byte. 0xA0 is never collected; the reply is complete
// once a 0x83 has at least one byte after it.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vt {

class HandshakeReply {
public:
    void Add(const uint8_t* bytes, size_t n);
    bool IsHandshakeReply() const;
    void Clear() { m_arrReply.clear(); }
    const std::vector<unsigned>& Bytes() const { return m_arrReply; }

private:
    std::vector<unsigned> m_arrReply;
};

} // namespace vt
