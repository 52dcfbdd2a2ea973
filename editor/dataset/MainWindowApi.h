#pragma once
// What the settings dialogs and service windows call back into the main window. The main window
// implements it (refreshing its view); GridRules gives the same rules on a bare data set for
// the cores and for tests.
#include <string>

namespace vt {

struct EditorData;

class MainWindowApi {
public:
    virtual ~MainWindowApi() = default;
    virtual EditorData& Data() = 0;

    virtual std::string getDefaultSetup() = 0;
    virtual void UpdateScan() = 0;
    virtual void AdjustArea_Marnet() = 0;
    virtual void ValidateP() = 0;
    virtual void ValidateT() = 0;
    virtual void UpdateAreaNo() = 0;
    virtual void UpdateAreaName() = 0;
    virtual void AddSecondRec(const std::string& secfreq) = 0;
    virtual int WhichAreaInt(int row) = 0;
    virtual void UpdateAllArray() = 0;
};

} // namespace vt
