#pragma once
// Puts the whole data set back to the state of a New document, as one replacement (the grid
// reports one reset, the data set's listener hears it once).
namespace vt {

struct EditorData;

// Grid of 202 rows with the default cells, default options and settings, band 0, current area 1,
// not modified, no pending 5-tone list. MemImage, the setup bytes, the COM port and the language are kept.
void ResetDataSet(EditorData& d);

} // namespace vt
