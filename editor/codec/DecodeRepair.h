#pragma once
// Fields of a decoded image that the editor cannot hold, or that the next save would store
// differently, brought into their range (or set to their New value) once the decode is done.
// Each replacement is returned, so that the user is told what changed.
#include <cstdint>
#include <string>
#include <vector>

namespace vt {

struct DecodeContext;

struct ImageRepair {
    std::string field; // "Resume scan time", "Rx Freq", "5-tone line 12", ...
    int row = 0;       // grid row for channel fields, 0 otherwise
    std::string was;   // as the image held it
    std::string now;   // as the data set holds it now
};

// The channel frequencies around the band choice: made before it, a frequency without a word
// the radio can store is cleared (it must not choose the band); after it, those the band
// cleared are listed too.
class ChannelFrequencyRepairs {
public:
    explicit ChannelFrequencyRepairs(DecodeContext& c);
    std::vector<ImageRepair> AfterBand();

private:
    DecodeContext& c_;
    int rows_ = 0;
    std::vector<std::string> before_; // Tx and Rx of each channel row after the clearing
    std::vector<ImageRepair> list_;
};

// Runs after the whole decode; changes the data set in place.
std::vector<ImageRepair> RepairDecodedData(DecodeContext& c);

// Bytes that the next save writes differently and that no field in the list accounts for, added
// to the list: in the settings regions (option area, key table, tone-set byte, emergency table
// and, for a data file, the ID suffix's position) codes no list holds, copies that disagree with
// what they copy, bits the radio does not use; every byte of a 5-tone record on its own; an
// area name's bytes the open does not read; a channel's bytes by row and field; and, one line
// each, the channels of slots beyond the grid the options give, which the save drops.
void ListSettingsBytes(const DecodeContext& c, bool withSuffix, std::vector<ImageRepair>& list);

// One line per replacement: field, the row word and row for channel fields, the old and the new
// value; below the heading. Past maxLines one last line gives the number left out and moreText.
std::string RepairListText(const std::vector<ImageRepair>& repairs, const std::string& heading,
                           const std::string& rowWord, size_t maxLines = SIZE_MAX, const std::string& moreText = "");

} // namespace vt
