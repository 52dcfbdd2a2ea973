// What a user can put into the channel grid through its cell editors, then a save and an open:
// the band and the area layout first, then edits (row, column, what was typed or chosen), each
// judged by the column's rule as the editor does. Whatever the rules let in must save, come back
// when the file is opened, and survive a second save and open unchanged.
#include "fuzz/FuzzSupport.h"

#include "common/TextUtil.h"
#include "editor/dataset/CellRules.h"
#include "editor/dataset/GridRules.h"

#include <algorithm>

using namespace vt;

namespace {

// The band menu offers bands 0..3; the higher ones come only from an opened file.
constexpr int kMenuBands = 4;

// A text as a line edit gives it: valid UTF-8 (anything else becomes U+FFFD) of at most
// maxChars characters.
std::string BoxText(const std::string& raw, int maxChars) {
    std::string out;
    int chars = 0;
    for (size_t i = 0; i < raw.size() && chars < maxChars; ++chars) {
        const auto c = static_cast<unsigned char>(raw[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool ok = len > 0 && i + len <= raw.size() && c != 0;
        for (size_t k = 1; ok && k < len; ++k) ok = (static_cast<unsigned char>(raw[i + k]) & 0xC0) == 0x80;
        if (ok && len > 1) {
            // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
            unsigned cp = c & (0x7F >> len);
            for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(raw[i + k]) & 0x3F);
            const unsigned least[5] = {0, 0, 0x80, 0x800, 0x10000};
            ok = cp >= least[len] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        }
        if (ok) {
            out.append(raw, i, len);
            i += len;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

std::string RowText(const EditorData& d, int row) {
    std::string s;
    for (int c = 0; c < kGridCols; ++c) s += (c ? "|" : "") + d.MFG.TextMatrix(row, c);
    return s;
}

// An accepted value with what the image ties to it, as the cell editors store it.
void Store(EditorData& d, int row, int col, const std::string& text) {
    StoreCellText(d.MFG, row, col, text,
                  [&d](int r, int c, const std::string& t) { d.SetCell(r, c, t, RecordWrite::Quiet); });
}

CellCommit Commit(EditorData& d, int row, int col, fuzz::Input& in) {
    const std::string cell = d.MFG.TextMatrix(row, col);
    const CellContext ctx = CellContextOf(d);
    switch (col) {
    case ColTxFreq:
    case ColRxFreq:
        return CommitFreq(cell, BoxText(in.Line(), kFreqMaxLength), ctx);
    case ColName1:
        return CommitChannelName(cell, BoxText(in.Line(), kName1MaxLength), "ID line1.");
    case ColName2:
        return CommitChannelName(cell, BoxText(in.Line(), kName2MaxLength), "ID line2.");
    case ColCtcssEnc:
    case ColCtcssDec: {
        const int item = in.Below(static_cast<int>(CtcssListItems().size()));
        CellCommit c = CommitCtcssItem(cell, item);
        if (!c.OpenCustomTone) return c;
        if (c.Accepted) Store(d, row, col, c.Text);
        return CommitCustomTone(d.MFG.TextMatrix(row, col), BoxText(in.Line(), kCustomToneMaxLength), ctx);
    }
    case ColDcsEnc:
    case ColDcsDec:
        return CommitDcsItem(cell, in.Below(static_cast<int>(DcsListItems().size())));
    case ColBcl:
        return CommitCombo(cell, BoxText(in.Line(), 64), BclItems(), ctx);
    case ColScan:
        return IsTAvailable(d, row) ? CommitScan(cell, BoxText(in.Line(), 64), d.ScanChoices, ctx)
                                    : CommitScan(cell, BoxText(in.Line(), 64), Scan2Items(), ctx);
    case ColFiveTone:
        return CommitCombo(cell, BoxText(in.Line(), 64), FiveToneItems(), ctx);
    case ColAni:
        return CommitCombo(cell, BoxText(in.Line(), 64), AniItems(), ctx);
    case ColSelCall:
        return CommitSelCall(cell, BoxText(in.Line(), 64), ctx);
    case ColCtDev:
        return CommitCtDev(cell, BoxText(in.Line(), 64), ctx, HoldsDcsDeviation(d.MFG, row));
    default:
        return CommitPower(cell, BoxText(in.Line(), 64), ctx);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    auto d = fuzz::NewDataSet();

    // The options dialog's area layout (areas, channels per area), then the band menu.
    const int areas = 1 + in.Below(kMaxAreas);
    const int per = 1 + in.Below(kMaxChannels / areas);
    auto options = Split(d->RadioOption());
    options[0] = IntText(areas);
    options[1] = IntText(per);
    d->SetRadioOption(Join(options));
    AdjustArea_Marnet(*d);
    UpdateAreaNo(*d);
    UpdateScan(*d);
    SetBand(*d, in.Below(kMenuBands));

    const int lastRow = d->MFG.Rows() - 1;
    while (!in.Empty()) {
        const int row = 1 + in.Below(lastRow);
        const int col = 1 + in.Below(kGridCols - 1);
        if (!EditorOpensOn(col, row, lastRow)) continue;
        CellCommit c = Commit(*d, row, col, in);
        if (!c.Accepted) continue;
        if (c.ClearAreaPriority) {
            if (int area = WhichAreaInt(*d, row); area >= 1) d->CurrentArea = area;
            AdjustP(*d, row);
        }
        Store(*d, row, col, c.Text);
    }

    const auto& shipped = fuzz::ShippedTables();
    EncodeResult r = EncodeImage(*d, shipped.tables, ImageSource::File);
    if (!r.ok()) fuzz::Fail("values the cell editors took do not save", ErrorListText(r.errors));
    auto once = DecodeIntoNewData(r.image, shipped.tables, ImageSource::File);
    // What the editors left in the channel rows comes back, but for the one normalisation the
    // format has: CT DEV of a channel with neither a CTCSS tone nor a DCS code to send is not
    // stored and reads back as 250.
    for (int row = 1; row < lastRow; ++row)
        for (int col = 1; col < kGridCols; ++col) {
            std::string want = d->MFG.TextMatrix(row, col);
            if (col == ColCtDev && d->MFG.TextMatrix(row, ColCtcssEnc).empty() && d->MFG.TextMatrix(row, ColDcsEnc).empty())
                want = "250";
            if (once->MFG.TextMatrix(row, col) != want)
                fuzz::Fail("a save and open changed what the cell editors entered",
                           "row " + std::to_string(row) + " column " + std::to_string(col) + ": \"" +
                               once->MFG.TextMatrix(row, col) + "\" after the open, \"" + want + "\" entered; row " +
                               RowText(*d, row) + ", band " + std::to_string(d->BandIndex));
        }
    fuzz::CheckFixedPoint(*once, shipped.tables, ImageSource::File, "edited grid");
    return 0;
}
