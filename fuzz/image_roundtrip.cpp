// Any image the decoder takes must give a data set that the encoder takes, and a second save
// and open must change nothing: decode(encode(decode(x))) == decode(x). The input is laid over
// the shipped default image (so short inputs are whole images too); one byte past the image
// chooses a radio read (source 0) instead of a data file.
#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <string>

using namespace vt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto& shipped = fuzz::ShippedTables();
    ImageArray image = shipped.tables.DefaultImage;
    std::copy_n(data, std::min(size, kImageSize), image.begin());
    const bool file = !(size > kImageSize && (data[kImageSize] & 1));
    std::string why;
    // The length tells the source: only a data file has the byte after the radio's 16,000.
    if (!CheckImageFixedPoint(image.data(), file ? kImageSize : kImageSize - 1, shipped.tables, &why))
        fuzz::Fail(file ? "data file" : "radio image", why);
    return 0;
}
