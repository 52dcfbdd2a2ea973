#pragma once
// What the fuzz targets share: the tables the program folder ships, a scratch folder of the
// process, opening and saving a data set the way the editor does, and a loud stop when a
// property fails (libFuzzer keeps the input that caused it).
#include "editor/image/ConversionTables.h"
#include "editor/image/VoltageTables.h"
#include "editor/codec/ImageCodec.h"
#include "editor/codec/ImageFixedPoint.h"
#include "editor/dataset/EditorData.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace vt::fuzz {

// The program folder whose resource/ and Language/ the targets read: VELTRA_HOME, else the
// build's own program folder.
std::filesystem::path AppDir();

// The generated tables of the program folder, loaded once; stops the process when one is
// missing or fails its test (the fuzz build makes them, so that is a build fault).
const LoadedTables& ShippedTables();

// An empty folder of this process, removed at exit.
const std::filesystem::path& ScratchDir();
// Replaces the file with exactly these bytes.
void WriteBytes(const std::filesystem::path& path, const uint8_t* data, size_t size);

// A New data set (the editor's ClearAll).
std::unique_ptr<EditorData> NewDataSet();
// A decoded data set must encode, and opening that image must give the same data set again.
// Stops the process with what differs otherwise.
void CheckFixedPoint(const EditorData& once, const CodecTables& tables, ImageSource source, std::string_view origin);

[[noreturn]] void Fail(std::string_view what, std::string_view detail = {});

// Reads the input from the front: bytes, small numbers and texts up to a separator.
class Input {
public:
    Input(const uint8_t* data, size_t size) : p_(data), n_(size) {}
    bool Empty() const { return n_ == 0; }
    size_t Left() const { return n_; }
    uint8_t Byte();
    int Below(int n) { return n <= 0 ? 0 : Byte() % n; }
    // Up to the next '\n' (consumed) or the end.
    std::string Line();
    std::string Rest();

private:
    const uint8_t* p_;
    size_t n_;
};

} // namespace vt::fuzz
