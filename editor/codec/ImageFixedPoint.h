#pragma once
// Whether an image survives the editor unchanged: decoded, saved and decoded again it must read
// the same, field by field. Used by the round-trip tests and the fuzz targets.
#include "editor/codec/CodecContext.h"
#include "editor/codec/DecodeRepair.h"
#include "editor/codec/ImageCodec.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace vt {

struct EditorData;

// The code tables, default image and voltage tables of a program folder (empty: the program's).
// Table messages are collected, not shown.
struct LoadedTables {
    ConversionTables conv;
    VoltageTables voltage;
    CodecTables tables;
    std::vector<std::string> messages;
};
std::unique_ptr<LoadedTables> LoadTablesFrom(const std::filesystem::path& folder);

// A New data set holding the decode of the image, and the replacements the decode made.
std::unique_ptr<EditorData> DecodeIntoNewData(const ImageArray& image, const CodecTables& tables, ImageSource source,
                                              std::vector<ImageRepair>* repairs = nullptr);

// The first few fields in which two data sets differ, one a line; empty when they agree.
std::string DataSetDifference(const EditorData& got, const EditorData& want, size_t maxLines = 8);

// Bytes of a data file (16,001) or a radio buffer (16,000); any other length is not an image and
// passes. True when the decode encodes without error and decodes again into the same data set,
// with nothing to replace the second time; otherwise why says what failed.
bool CheckImageFixedPoint(const uint8_t* data, size_t size, const CodecTables& tables, std::string* why);
// The same with the tables of the program folder (VELTRA_HOME, for a fuzz target the build's
// app/ folder), loaded on the first call.
bool CheckImageFixedPoint(const uint8_t* data, size_t size, std::string* why);

} // namespace vt
