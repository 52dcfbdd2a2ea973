#pragma once
// The image under construction and the errors met while building it. Every write is checked,
// so a value that does not fit its byte becomes an error instead of a corrupted neighbour.
#include "editor/codec/ImageError.h"

#include "common/ExchangeFiles.h"
#include "editor/dataset/DataTexts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

class LanguageTexts;

using ImageArray = std::array<uint8_t, kImageSize>;

class ImageWriter {
public:
    // Messages are given in the language of lang.
    ImageWriter(ImageArray& image, const LanguageTexts& lang) : image_(image), lang_(lang) {}

    uint8_t At(size_t offset) const { return offset < image_.size() ? image_[offset] : 0; }
    void Set(size_t offset, uint8_t value);
    // Writes value when it lies in 0..255, else records an error naming the field.
    bool Put(size_t offset, long long value, std::string_view field, int row = 0);
    // Windows-1252 bytes of the text from offset on, at most maxBytes of them. Returns the number
    // written; a character without a byte is an error and nothing is written.
    std::optional<size_t> PutText(size_t offset, std::string_view utf8, size_t maxBytes, std::string_view field,
                                  int row = 0);

    void Fail(std::string_view field, int row, std::string message);
    // The message about a field's text, in the form "<field><row words>: <text> ...", extra for
    // what the message adds.
    void FailText(DataMsg msg, std::string_view field, int row, std::string_view text, std::string_view extra = {});
    // Something left out of the image that the user must hear of; the image is still usable.
    void Warn(std::string_view field, int row, std::string message);
    // The text as a 16-bit whole number (halves to even), or an error.
    std::optional<long long> Int(std::string_view text, std::string_view field, int row = 0);
    // "0" or "1" as 0 or 1, or an error.
    std::optional<int> Flag(std::string_view text, std::string_view field, int row = 0);
    // Whole number within lo..hi, or an error.
    std::optional<long long> IntIn(std::string_view text, long long lo, long long hi, std::string_view field,
                                   int row = 0);

    const std::vector<ImageError>& Errors() const { return errors_; }
    std::vector<ImageError> TakeErrors() { return std::move(errors_); }
    bool Ok() const { return errors_.empty(); }
    std::vector<ImageError> TakeWarnings() { return std::move(warnings_); }

    const LanguageTexts& Lang() const { return lang_; }
    // " of channel row 5", or "" for fields without a row, after a field's name in a message.
    std::string RowWords(int row) const;

private:
    ImageArray& image_;
    const LanguageTexts& lang_;
    std::vector<ImageError> errors_;
    std::vector<ImageError> warnings_;
};

} // namespace vt
