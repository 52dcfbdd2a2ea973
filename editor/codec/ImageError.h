#pragma once
// One reason why a data set cannot be turned into an image.
#include <string>

namespace vt {

struct ImageError {
    std::string field;   // "Tx Freq", "Own ID", "5-tone line 12 channel", ... in the data set's language
    int row = 0;         // grid row for channel fields, 0 otherwise
    std::string message; // complete sentence for the user
};

} // namespace vt
