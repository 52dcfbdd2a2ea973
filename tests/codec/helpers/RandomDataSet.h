#pragma once
// Seeded random data sets that the editors could produce, each with the data set a save and an
// open must give back. The normalisations a round trip applies are all written down here, in
// Expect* below, and nowhere else:
//  - options: times come back as the multiples the radio stores (generated that way); a fixed
//    level or default channel/area whose allow-change box is on comes back as its default
//    (1, 0, 12, 0), as does the default area of a one-area set; a key "CALL" comes back with
//    number 1;
//  - FARMCALL/MARNET: on/off come from the channel bytes; with MARNET off the MARNET ID reads
//    the own ID's packed digits (an odd count padded with 0), with MARNET on repeated digits
//    become R; the farm frequency is not stored; the second-receiver frequency is kept only
//    while the second receiver is on;
//  - area names: a one-area set and areas beyond the count come back with the default names,
//    longer names cut to 16 characters;
//  - channels: CT DEV of a channel without a CTCSS or DCS encode tone comes back as 250 (empty
//    on the second receiver); the second receiver's Rx frequency is its FARMCALL/MARNET frequency when
//    that receiver is on, else empty;
//  - 5-tone list: a line without a kind comes back as kind 15 with tries 1 when none were given
//    and an empty call text; an alarm query comes back with the level LOW; a station ID digit
//    that the image stores like another comes back as that one (StationIdAsDecoded).
#include "editor/dataset/EditorData.h"

#include <memory>

namespace vt::test {

struct RandomCase {
    std::unique_ptr<EditorData> input;
    std::unique_ptr<EditorData> expected;
};

RandomCase MakeRandomDataSet(unsigned seed);

} // namespace vt::test
