#pragma once
// Per-band Rx and Tx voltage tables: sixteen small files, a loaded copy that the channel
// encoder reads, and a working copy that only the voltage table editor changes.
//
// Table index = 2 x band + kind (kind 0 Rx, 1 Tx); both copies hold the sixteen tables in that
// order with no gaps. Point j of a table stands for low edge + j x step MHz. Steps are kept to
// 0.001 MHz (what the file header holds), and every layout is computed in whole thousandths,
// so a saved layout and its reloaded one always agree.
#include "editor/image/Bands.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

inline constexpr int kVolBands = kBandCount; // one Rx and one Tx table a band
inline constexpr int kVolTables = 16;
inline constexpr int kVolRx = 0, kVolTx = 1;
inline constexpr double kMinVolStep = 0.001, kMaxVolStep = 25.599; // MHz
inline constexpr double kDefaultVolStep = 1.0; // layout of a table whose file is unusable

using BandDoubles = std::array<std::array<double, 2>, kVolBands>; // (band, kind or edge)
using BandInts = std::array<std::array<int, 2>, kVolBands>;

// "\Resource\RX_VOL3.tbl", "\Resource\TX_VOL3.tbl"
std::string VoltageFileName(int band, int kind);
// The step rounded to 0.001 MHz, halves to even.
double RoundVolStep(double mhz);
// A step (after rounding) that the file header can hold: 0.001 .. 25.599 MHz.
bool IsValidVolStep(double mhz);

class VoltageTables {
public:
    VoltageTables(); // band limits set, all tables laid out with the default step, points 0

    BandDoubles AllBandLimits{}; // (band, 0) low edge, (band, 1) high edge, MHz
    BandDoubles LoadedStep{};
    std::vector<uint8_t> LoadedVolData;

    BandDoubles WorkStep{};
    BandInts WorkCount{};
    BandInts WorkOffset{};
    std::vector<uint8_t> WorkVolData;

    // Folder that holds Resource/; empty means the program folder's saved tables, else the
    // shipped ones.
    std::filesystem::path Folder;

    void InitBandLimits();
    // The highest band whose edges (inclusive) hold the frequency; -1 for none.
    int FindBand(double mhz) const;
    // Number of points low + j x step that do not pass the band's high edge.
    int PointCount(int band, double step) const;
    // Index in LoadedVolData of point 0 of a loaded table (kind 1 Tx, anything else Rx);
    // -1 for a band outside 0..7.
    int GetTableOffset(int band, int kind) const;

    // Reads the sixteen files. A missing or short file, or one whose header holds no step of
    // 0.001..25.599 MHz (a second byte of 100 or more included), gives its error text (in the
    // table files' wording); an unusable header gives the default step and a table of zeros.
    std::vector<std::string> LoadVoltageTables();
    // Writes the sixteen files from the working copy, through temporary files renamed over the
    // old ones once all are written. Returns the texts of the files that could not be written.
    std::vector<std::string> SaveVoltageTables() const;

    // Working copy.
    void CopyLoadedSteps();
    void CalcWorkLayout();
    void InitWorkData();
    // Re-lays WorkVolData after CalcWorkLayout changed table `index`'s layout: the other tables
    // keep their points, the changed one is zero.
    void GetShowVolData(int index);
    // The whole step change of one working table: round, check, lay out, re-lay. False (and
    // nothing changed) for an index outside 0..15 or a step outside 0.001..25.599 MHz.
    bool ChangeWorkStep(int index, double step);

    // The channel record's voltage bytes. "NULL" (or any text that is not a frequency) gives
    // the current band's default; a frequency outside every band gives 0; one past a table's
    // last point takes the last point.
    uint8_t VoltageByteA(std::string_view rxText, int bandIndex) const;
    uint8_t VoltageByteB(std::string_view txText, int bandIndex) const;

private:
    uint8_t VoltageByte(std::string_view text, int kind) const;
    std::filesystem::path PathOf(int band, int kind) const;
    std::filesystem::path SavePathOf(int band, int kind) const;
};

} // namespace vt
