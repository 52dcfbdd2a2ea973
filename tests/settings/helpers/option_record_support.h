#pragma once
// Option records of a given area shape, for the tests of the rules that read that shape.
#include <string>

namespace vt::test {

// The default option record with the number of areas, channels per area and the two "change"
// switches set as given, joined as the data set holds it.
std::string AreaShapeRecord(const char* areas, const char* perArea, const char* allowArea, const char* allowChannel);

} // namespace vt::test
