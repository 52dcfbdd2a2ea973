#pragma once
// What the area names dialog edits: one name row per area, of names a slot of the image holds.
#include <string>

namespace vt {

// A name slot of the image gives back 16 characters.
inline constexpr int kAreaNameMax = 16;

// Name rows for a record: field 0 clamped to 1..10 (a non-numeric field counts as 1 area);
// 0 for a record without exactly kOptionFieldCount fields.
int AreaNameRows(const std::string& radioOption);

} // namespace vt
