#include "editor/codec/ImageWriter.h"

#include "common/Cp1252.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <utility>

namespace vt {

std::string ImageWriter::RowWords(int row) const {
    return row > 0 ? DataText(lang_, DataMsg::RowWords, {IntText(row)}) : std::string();
}

void ImageWriter::Set(size_t offset, uint8_t value) {
    if (offset < image_.size()) image_[offset] = value;
}

void ImageWriter::Fail(std::string_view field, int row, std::string message) {
    errors_.push_back(ImageError{std::string(field), row, std::move(message)});
}

void ImageWriter::Warn(std::string_view field, int row, std::string message) {
    warnings_.push_back(ImageError{std::string(field), row, std::move(message)});
}

void ImageWriter::FailText(DataMsg msg, std::string_view field, int row, std::string_view text, std::string_view extra) {
    Fail(field, row, DataText(lang_, msg, {field, RowWords(row), text, extra}));
}

bool ImageWriter::Put(size_t offset, long long value, std::string_view field, int row) {
    if (value < 0 || value > 255) {
        FailText(DataMsg::NoByte, field, row, IntText(value));
        return false;
    }
    Set(offset, static_cast<uint8_t>(value));
    return true;
}

std::optional<size_t> ImageWriter::PutText(size_t offset, std::string_view utf8, size_t maxBytes,
                                           std::string_view field, int row) {
    char32_t bad = 0;
    auto bytes = Utf8ToCp1252(utf8, &bad);
    if (!bytes) {
        FailText(DataMsg::Unstorable, field, row, utf8);
        return std::nullopt;
    }
    size_t n = std::min(bytes->size(), maxBytes);
    for (size_t i = 0; i < n; ++i) Set(offset + i, static_cast<uint8_t>((*bytes)[i]));
    return n;
}

std::optional<long long> ImageWriter::Int(std::string_view text, std::string_view field, int row) {
    if (auto v = ToInt16(text)) return *v;
    FailText(DataMsg::NotWhole, field, row, text);
    return std::nullopt;
}

std::optional<int> ImageWriter::Flag(std::string_view text, std::string_view field, int row) {
    auto v = ToInt16(text);
    if (v && (*v == 0 || *v == 1)) return *v;
    FailText(DataMsg::NotFlag, field, row, text);
    return std::nullopt;
}

std::optional<long long> ImageWriter::IntIn(std::string_view text, long long lo, long long hi,
                                            std::string_view field, int row) {
    auto v = ToWhole(text);
    if (v && *v >= lo && *v <= hi) return *v;
    Fail(field, row, DataText(lang_, DataMsg::NotInRange, {field, RowWords(row), text, IntText(lo), IntText(hi)}));
    return std::nullopt;
}

} // namespace vt
