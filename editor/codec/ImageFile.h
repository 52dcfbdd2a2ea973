#pragma once
// Data files and exchange files hold the image raw, file byte k = image byte k.
#include "editor/codec/ImageWriter.h"

#include "common/ExchangeFiles.h"

#include <filesystem>
#include <string>

namespace vt {

// Writes all 16,001 bytes from offset 0 without truncating a longer file (the transfer
// hand-off): through a temporary file renamed over it, keeping the old file's owner.
bool WriteImageFile(const std::filesystem::path& path, const ImageArray& image, std::string* error = nullptr);
// A data file as Save writes it: exactly the image, through a temporary file renamed over it.
bool SaveImageFile(const std::filesystem::path& path, const ImageArray& image, ReplaceError* error);
// Why an image file was refused: the system's error, or (0) a file of `size` bytes, too short.
struct ImageReadError {
    int sysError = 0;
    size_t size = 0;
};
// Reads an image of at least 16,000 bytes (rbuffer.bin lacks the last byte); bytes the file
// lacks read as 0 and bytes beyond the image are ignored. False, with the image untouched, when
// the file cannot be read, is shorter or is no regular file. Only the image's bytes are read.
bool ReadImageFile(const std::filesystem::path& path, ImageArray& image, ImageReadError* why = nullptr);

} // namespace vt
