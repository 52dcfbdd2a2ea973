#pragma once
// What the next save of a decoded data set stores differently from the image it was read from,
// beyond the replacements the repairs made, and the text that lists it all for the user.
#include "editor/codec/DecodeRepair.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vt {

struct DecodeContext;

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
