#include "editor/dataset/DataSetReset.h"

#include "editor/dataset/CellRules.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <string>

namespace vt {

void ResetDataSet(EditorData& d) {
    DataSetReplacement replacing(d);
    {
        // New is no edit: the grid is written quietly.
        GridBatch batch(d);
        d.SetGridCols(kGridCols, RecordWrite::Quiet);
        d.SetGridRows(kMaxChannels + 2, RecordWrite::Quiet);
        for (int r = 1; r < d.MFG.Rows(); ++r) {
            for (int c = 0; c < kGridCols; ++c) d.SetCell(r, c, std::string(), RecordWrite::Quiet);
            d.SetCell(r, ColNo, "Ch:" + std::to_string(r), RecordWrite::Quiet);
            d.SetCell(r, ColName1, std::to_string(r), RecordWrite::Quiet);
            d.SetCell(r, ColCtDev, CtDevWithoutTone(d.MFG, r), RecordWrite::Quiet);
            d.SetCell(r, ColPower, kDefaultPower, RecordWrite::Quiet);
        }
        // The second-receiver row keeps "Ch:201" in column 0 until an image is decoded.
        const int last = d.MFG.Rows() - 1;
        d.SetCell(last, ColName1, "SECOND", RecordWrite::Quiet);
        d.SetCell(last, ColName2, "RECEIVER", RecordWrite::Quiet);
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
    NoteGridShape(d);
    d.ClearModified();
}

} // namespace vt
