#include "transmit/core/HandshakeReply.h"

namespace vt {

void HandshakeReply::Add(const uint8_t* bytes, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (bytes[i] != 0xA0) m_arrReply.push_back(bytes[i]);
}

bool HandshakeReply::IsHandshakeReply() const {
    for (size_t i = 0; i + 1 < m_arrReply.size(); ++i)
        if (m_arrReply[i] == 0x83) return true;
    return false;
}

} // namespace vt
