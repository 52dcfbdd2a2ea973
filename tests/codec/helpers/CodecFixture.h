#pragma once
// Synthetic code tables (every entry unique, so each search finds one place) and short cuts
// for encoding a data set and decoding an image into a freshly reset one.
#include "editor/image/ConversionTables.h"
#include "editor/image/VoltageTables.h"
#include "editor/codec/ImageCodec.h"
#include "editor/dataset/EditorData.h"

#include <memory>

namespace vt::test {

void FillSyntheticTables(ConversionTables& conv);
// The New data set.
std::unique_ptr<EditorData> NewData();

struct CodecFixture {
    CodecFixture();
    ConversionTables conv;
    VoltageTables voltage;
    CodecTables tables;
    // Replaces the synthetic tables by the ones the program folder ships; false (and the test
    // should skip) when the build has not generated them.
    bool UseShippedTables();

    EncodeResult Encode(const EditorData& d, ImageSource source = ImageSource::File) const;
    // Encodes and fails the test on any error.
    ImageArray EncodeOk(const EditorData& d, ImageSource source = ImageSource::File) const;
    std::unique_ptr<EditorData> Decode(const ImageArray& image, ImageSource source = ImageSource::File) const;
    // Enc/Dec word, DCS and deviation entries of the synthetic tables.
    std::array<uint8_t, 2> EncWord(int tenths) const;
    std::array<uint8_t, 2> DecWord(int tenths) const;
    std::array<uint8_t, 3> DcsEntry(int index) const;
    std::array<uint8_t, 3> DevEntry(int step, int tone) const;
};

// Fails the test where the two data sets differ (options, settings, names, grid, 5-tone list).
void ExpectSameData(const EditorData& got, const EditorData& want, unsigned seed);
// What a New data set looks like after it has been through the image once.
std::unique_ptr<EditorData> NewDataAsDecoded();

// Sets one cell of channel row r.
void SetCell(EditorData& d, int r, int c, const std::string& text);
// Sets the option record field n.
void SetOption(EditorData& d, int n, const std::string& value);
std::string OptionField(const EditorData& d, int n);
std::string Field(const std::string& joined, int n);
std::string WithField(const std::string& joined, int n, const std::string& value);

} // namespace vt::test
