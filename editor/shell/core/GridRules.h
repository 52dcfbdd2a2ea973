#pragma once
// Area, band and SCAN rules of the channel grid, on a bare data set. The main window calls these
// and refreshes its view; the image code and tests use CoreMainWindow.
#include "editor/shell/core/MainWindowApi.h"

#include <optional>
#include <string>
#include <vector>

namespace vt {

struct EditorData;

// Option record fields when it has exactly 39, else nothing.
std::optional<std::vector<std::string>> OptionRecordFields(const std::string& radioOption);
// Field 5 of FarmMarnetInfo is "1".
bool MarnetOn(const EditorData& d);

std::string GetDefaultSetup();
void UpdateScan(EditorData& d);
void AdjustArea_Marnet(EditorData& d);
void ValidateP(EditorData& d);
void ValidateT(EditorData& d);
void UpdateAreaNo(EditorData& d);
void AddSecondRec(EditorData& d, const std::string& secfreq);
int WhichAreaInt(const EditorData& d, int row);
void UpdateBand(EditorData& d);
void UpdateAllArray(EditorData& d);

// Band table: 0..7.
inline constexpr int kBandCount = 8;
double BandLow(int band);
double BandHigh(int band);
std::string BandRange(int band); // "53 -- 60 MHz"
// Sets BandIndex, BandLimits and BandRangeText (band outside 0..7: nothing changes).
void SetBand(EditorData& d, int band);

// MainWindowApi on a bare data set, without a window.
class CoreMainWindow : public MainWindowApi {
public:
    explicit CoreMainWindow(EditorData& d) : d_(d) {}
    EditorData& Data() override { return d_; }
    std::string getDefaultSetup() override { return GetDefaultSetup(); }
    void UpdateScan() override { vt::UpdateScan(d_); }
    void AdjustArea_Marnet() override { vt::AdjustArea_Marnet(d_); }
    void ValidateP() override { vt::ValidateP(d_); }
    void ValidateT() override { vt::ValidateT(d_); }
    void UpdateAreaNo() override { vt::UpdateAreaNo(d_); }
    void UpdateAreaName() override {}
    void AddSecondRec(const std::string& s) override { vt::AddSecondRec(d_, s); }
    int WhichAreaInt(int row) override { return vt::WhichAreaInt(d_, row); }
    void UpdateBand() override { vt::UpdateBand(d_); }
    void UpdateAllArray() override { vt::UpdateAllArray(d_); }

private:
    EditorData& d_;
};

} // namespace vt
