#pragma once
// Fields of a decoded image that the editor cannot hold, or that the next save would store
// differently, brought into their range (or set to their New value) once the decode is done.
// Each replacement is returned, so that the user is told what changed; SaveChangeList.h adds
// the bytes no replacement accounts for.
#include <cstdint>
#include <string>
#include <vector>

namespace vt {

struct DecodeContext;

struct ImageRepair {
    std::string field; // "Resume scan time", "Rx Freq", "5-tone line 12", ... in the data set's language
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

} // namespace vt
