#include "transmit/core/ReadReception.h"

namespace vt {

bool ReadReception::Feed(uint8_t b) {
    bool done = false;
    if (m_bDataStarted) {
        constexpr int kSize = static_cast<int>(kRadioImageSize);
        if (m_nReadCount < kSize) m_byImage[static_cast<size_t>(m_nReadCount++)] = b;
        else if (m_nReadCount == kSize) ++m_nReadCount; // counted, not stored
        else done = true;
    }
    if (b == 0xEB) m_bDataStarted = true; // later markers are data like any other byte
    return done;
}

} // namespace vt
