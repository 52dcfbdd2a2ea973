// Data files as the editor reads and writes them: any file of at least 16,000 bytes opens with
// its bytes in place (the rest 0, anything beyond ignored), a shorter one is refused without
// touching the image, and a save writes the image over the start of an existing file and keeps
// whatever follows it.
#include "fuzz/FuzzSupport.h"

#include "common/ExchangeFiles.h"
#include "editor/codec/ImageFile.h"

#include <algorithm>

using namespace vt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto dir = fuzz::ScratchDir();
    const auto file = dir / "input.dat";
    fuzz::WriteBytes(file, data, size);

    ImageArray image;
    image.fill(0xA5);
    ImageReadError why;
    const bool read = ReadImageFile(file, image, &why);
    if (read != (size >= kRadioImageSize))
        fuzz::Fail("a file of " + std::to_string(size) + " bytes " + (read ? "opened" : "was refused"));
    if (!read && (why.sysError != 0 || why.size != size)) fuzz::Fail("a short file refused for another reason");
    std::string error;
    for (size_t k = 0; k < kImageSize; ++k) {
        uint8_t want = !read ? 0xA5 : k < size ? data[k] : 0;
        if (image[k] != want) fuzz::Fail("image byte " + std::to_string(k) + " differs from the file's");
    }

    // Save the image over the same file: the first 16,001 bytes become the image, the rest stays.
    if (!WriteImageFile(file, image, &error)) fuzz::Fail("the image cannot be saved", error);
    auto back = ReadFileBytes(file, &error);
    if (!back) fuzz::Fail("the saved file cannot be read", error);
    if (back->size() != std::max(size, kImageSize))
        fuzz::Fail("the saved file has " + std::to_string(back->size()) + " bytes, not " +
                   std::to_string(std::max(size, kImageSize)));
    for (size_t k = 0; k < back->size(); ++k) {
        uint8_t want = k < kImageSize ? image[k] : data[k];
        if ((*back)[k] != want) fuzz::Fail("saved byte " + std::to_string(k) + " is wrong");
    }
    return 0;
}
