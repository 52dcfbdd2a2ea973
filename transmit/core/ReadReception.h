#pragma once
// The radio's memory as it streams in: bytes before the first 0xEB are dropped, then 16,000
// bytes are stored; the read is done on the second byte after the last stored one.
#include "common/ExchangeFiles.h"

namespace vt {

class ReadReception {
public:
    explicit ReadReception(ToolImage& image) : m_byImage(image) {}
    // Takes one byte; true once the read is complete (this byte and later ones are dropped).
    bool Feed(uint8_t b);
    int ReadCount() const { return m_nReadCount; }
    bool DataStarted() const { return m_bDataStarted; }

private:
    ToolImage& m_byImage;
    int m_nReadCount = 0;
    bool m_bDataStarted = false;
};

} // namespace vt
