#pragma once
// The self-checks of the test window: each builds the lines the window lists (and some write a
// text file beside the program). Kept apart from the window so they run without a display.
#include "common/ExchangeFiles.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vt {

struct EditorData;

class TestBench {
public:
    // Floors a frequency in MHz to the 8.33 kHz raster, four decimals ("145.0125" -> "145.0083").
    static std::string AdjustRxFreq(const std::string& sFreq);
    // The CTCSS tone nearest below or above the value by the tone table's midpoints; "Error"
    // outside 67.0 to 259.1.
    static std::string MidTone(const std::string& value);
    // First start position of the pattern in the list, -1 when it never fits.
    static int FindPattern(const uint8_t* list, int listLen, const uint8_t* pattern, int patternLen);

    // "start": the raster check for 0.00011 to 1.00001.
    static std::vector<std::string> RasterLines();
    // "midct": every tenth from 67.0 to 259.1 with its tone.
    static std::vector<std::string> ToneLines();
    // "ArChTest": a header and rows 1 to 104 of the grid snapshot, columns 1 to 14.
    static std::vector<std::string> SnapshotLines(const std::vector<std::vector<std::string>>& allArray);
    // "arraytest": the search over its fixed data.
    static std::string PatternTestLine();
    // "File": the image bytes in hex, one line per byte.
    static std::vector<std::string> ImageHexLines(const std::array<uint8_t, kImageSize>& image);

    // Reads a whole image into MemImage; a missing or short file leaves MemImage as it was and
    // gives the reason in *error.
    static bool LoadImageFile(const std::filesystem::path& path, EditorData& data, std::string* error);
    // Replaces the file with the lines, each ended by a carriage return and line feed.
    static bool WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                           std::string* error);

    // The window's files, in the program folder.
    static constexpr const char* kRasterFile = "test1.txt";
    static constexpr const char* kSnapshotFile = "test2.txt";
    static constexpr const char* kImageFile = "radio.bin";
    static constexpr int kSnapshotBlankLines = 240;
};

} // namespace vt
