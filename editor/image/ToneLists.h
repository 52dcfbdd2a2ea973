#pragma once
// The signalling lists shared by the channel editors and the image code: the 51 standard CTCSS
// tones, the 104 DCS codes and the CT DEV steps. The lists' order is the order of the radio's
// tables (dev.Tbl rows, dcs.Tbl entries), so it must never change.
#include <array>
#include <string_view>

namespace vt {

inline constexpr int kStandardToneCount = 51;
inline constexpr int kDcsCodeCount = 104;
inline constexpr int kCtDevStepCount = 9;

// Items 1..51 of the CTCSS lists (item 0 "NO", item 52 "OTHER"), as the cells hold them.
inline constexpr std::array<std::string_view, kStandardToneCount> kStandardTones{
    "67.0",  "69.4",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
    "259.1"};

// The same tones in tenths of a hertz, for exact arithmetic.
inline constexpr std::array<int, kStandardToneCount> kStandardToneTenths{
    670,  694,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541, 2591};

// Items 1..104 of the DCS lists (item 0 "NO"): three octal digits with leading zeros.
inline constexpr std::array<std::string_view, kDcsCodeCount> kDcsCodes{
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

// CT DEV steps, the rows of dev.Tbl.
inline constexpr std::array<int, kCtDevStepCount> kCtDevSteps{100, 150, 200, 250, 300, 350, 400, 450, 500};

// The CTCSS code tables (enc.Tbl, dec.Tbl) hold one word per 0.1 Hz from 67.0 to 259.1 Hz.
inline constexpr int kCtcssFirstTenths = 670;
inline constexpr int kCtcssLastTenths = 2591;
inline constexpr int kCtcssWordCount = kCtcssLastTenths - kCtcssFirstTenths + 1; // 1922
// The radio's upper tone range starts here; a channel's high-tone bit marks an encode tone in it.
inline constexpr int kCtcssHighFirstTenths = 1500;

} // namespace vt
