#include "editor/dataset/DataSetReset.h"

#include "editor/dataset/CellRules.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <string>

namespace vt {

void ResetDataSet(EditorData& d) {
    DataSetReplacement replacing(d);
    {
        GridBatch batch(d.MFG);
        d.MFG.SetCols(kGridCols);
        d.MFG.SetRows(kMaxChannels + 2);
        for (int r = 1; r < d.MFG.Rows(); ++r) {
            for (int c = 0; c < kGridCols; ++c) d.MFG.SetTextMatrix(r, c, std::string());
            d.MFG.SetTextMatrix(r, ColNo, "Ch:" + std::to_string(r));
            d.MFG.SetTextMatrix(r, ColName1, std::to_string(r));
            d.MFG.SetTextMatrix(r, ColCtDev, CtDevWithoutTone(d.MFG, r));
            d.MFG.SetTextMatrix(r, ColPower, kDefaultPower);
        }
        // The second-receiver row keeps "Ch:201" in column 0 until an image is decoded.
        const int last = d.MFG.Rows() - 1;
        d.MFG.SetTextMatrix(last, ColName1, "SECOND");
        d.MFG.SetTextMatrix(last, ColName2, "RECEIVER");
    }
    d.SetRadioOption(kDefaultRadioOption);
    d.ResetSettings();
    for (int n = 1; n <= kToneLines; ++n)
        d.SetSpecialLine(n, SpecialLine{});
    // A 5-tone list waiting for its dialog's OK belongs to the data set being replaced.
    d.PendingFiveTone.reset();
    d.CurrentArea = 1;
    // The SCAN choices follow the default options (no ACS key) rather than the last document.
    UpdateScan(d);
    SetBand(d, 0);
    d.ClearModified();
}

} // namespace vt
