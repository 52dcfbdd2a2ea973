#include "editor/codec/ImageFile.h"

#include "common/ExchangeFiles.h"

#include <algorithm>

namespace vt {

bool WriteImageFile(const std::filesystem::path& path, const ImageArray& image, std::string* error) {
    ReplaceError why;
    if (ReplaceFileAtomic(path, image.data(), image.size(), {.keepOldTail = true, .keepOwner = true, .newFileMode = 0644}, &why))
        return true;
    if (error) *error = ReplaceErrorText(path, why);
    return false;
}

bool SaveImageFile(const std::filesystem::path& path, const ImageArray& image, ReplaceError* error) {
    return ReplaceFileAtomic(path, image.data(), image.size(), {}, error);
}

bool ReadImageFile(const std::filesystem::path& path, ImageArray& image, ImageReadError* why) {
    int sysError = 0;
    auto bytes = ReadFileHead(path, kImageSize, nullptr, &sysError);
    if (!bytes) {
        if (why) *why = {sysError, 0};
        return false;
    }
    if (bytes->size() < kImageSize - 1) {
        if (why) *why = {0, bytes->size()};
        return false;
    }
    image.fill(0);
    std::copy_n(bytes->begin(), std::min(bytes->size(), image.size()), image.begin());
    return true;
}

} // namespace vt
