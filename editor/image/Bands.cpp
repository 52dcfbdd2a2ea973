#include "editor/image/Bands.h"

namespace vt {

std::string BandRange(int band) {
    if (band < 0 || band >= kBandCount) return std::string();
    const auto& e = kBandEdges[static_cast<size_t>(band)];
    return std::to_string(e[0]) + " -- " + std::to_string(e[1]) + " MHz";
}

} // namespace vt
