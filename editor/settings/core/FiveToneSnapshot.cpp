#include "editor/settings/core/FiveToneSnapshot.h"

namespace vt {

FiveToneSnapshot::FiveToneSnapshot(const EditorData& d)
    : fiveToneInfo_(d.FiveToneInfo()), channels_(d.FiveToneChannels()), special_(d.SpecialData()),
      farmMarnetInfo_(d.FarmMarnetInfo()), grid_(d.MFG) {}

void FiveToneSnapshot::Restore(EditorData& d) const {
    d.RestoreFiveTone(fiveToneInfo_, channels_, special_, farmMarnetInfo_);
    // Cell by cell, so that the grid's view hears of each change; the grid is as it was before the
    // dialog, so this is no edit either.
    GridBatch batch(d);
    if (d.MFG.Rows() != grid_.Rows()) d.SetGridRows(grid_.Rows(), RecordWrite::Quiet);
    for (int r = 0; r < grid_.Rows(); ++r)
        for (int c = 0; c < grid_.Cols(); ++c)
            if (d.MFG.TextMatrix(r, c) != grid_.TextMatrix(r, c))
                d.SetCell(r, c, grid_.TextMatrix(r, c), RecordWrite::Quiet);
}

} // namespace vt
