#include "common/TextUtil.h"
#include "editor/dataset/CellRules.h"
#include "editor/dataset/CellRulesDecimal.h"
#include "editor/dataset/GridRules.h"
#include "editor/dataset/GridStore.h"
#include "editor/image/ToneConverters.h"
#include "editor/image/ToneLists.h"

namespace vt {

namespace {
constexpr long long kLowestTenths = kCtcssFirstTenths;  // 67.0 Hz
constexpr long long kHighestTenths = kCtcssLastTenths; // 259.1 Hz

CellCommit ChooseItem(const std::string& cell, int item, const std::vector<std::string>& items) {
    CellCommit c;
    c.Text = cell;
    if (item < 0 || item >= static_cast<int>(items.size())) return c;
    c.Text = item == 0 ? std::string() : items[static_cast<size_t>(item)];
    c.Accepted = true;
    return c;
}

std::string TenthsText(long long tenths) { return IntText(tenths / 10) + "." + IntText(tenths % 10); }
} // namespace

const std::vector<std::string>& CtcssListItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> v{"NO"};
        for (std::string_view t : kStandardTones) v.emplace_back(t);
        v.emplace_back("OTHER");
        return v;
    }();
    return items;
}

const std::vector<std::string>& DcsListItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> v{"NO"};
        for (std::string_view t : kDcsCodes) v.emplace_back(t);
        return v;
    }();
    return items;
}

CellCommit CommitCtcssItem(const std::string& cell, int item) {
    if (item == kCtcssOtherItem) {
        CellCommit c;
        c.Text = cell;
        c.OpenCustomTone = true;
        return c;
    }
    return ChooseItem(cell, item, CtcssListItems());
}

CellCommit CommitDcsItem(const std::string& cell, int item) { return ChooseItem(cell, item, DcsListItems()); }

CellCommit CommitCustomTone(const std::string& cell, std::string_view input, const CellContext& ctx) {
    CellCommit c;
    c.Text = cell;
    auto v = ScaleDecimal(input, 1);
    if (!v) {
        c.Message = ctx.NotNumberMsg;
        c.Result = kCommitNotNumber;
        return c;
    }
    if (CompareScaled(*v, kLowestTenths) < 0 || CompareScaled(*v, kHighestTenths) > 0) {
        c.Message = ctx.ToneRangeMsg;
        c.Result = kCommitOutOfRange;
        return c;
    }
    // Halves of the last digit go up, the way tones are usually written; inside the range this
    // never passes 259.1.
    c.Text = TenthsText(v->Units + (v->FirstDropped >= 5 ? 1 : 0));
    c.Accepted = true;
    return c;
}

int GetDCSIndex(std::string_view code) {
    const auto& items = DcsListItems();
    for (size_t i = 1; i < items.size(); ++i)
        if (items[i] == code) return static_cast<int>(i) - 1;
    return -1;
}

int SignallingRival(int col) {
    switch (col) {
    case ColCtcssEnc: return ColDcsEnc;
    case ColDcsEnc: return ColCtcssEnc;
    case ColCtcssDec: return ColDcsDec;
    case ColDcsDec: return ColCtcssDec;
    default: return -1;
    }
}

void StoreCellText(GridStore& grid, int row, int col, const std::string& text) {
    StoreCellText(grid, row, col, text, [&grid](int r, int c, const std::string& t) { grid.SetTextMatrix(r, c, t); });
}

void StoreCellText(const GridStore& grid, int row, int col, const std::string& text, const CellWriter& write) {
    write(row, col, text);
    const int other = SignallingRival(col);
    if (other >= 0 && !text.empty()) write(row, other, std::string());
    // A CT DEV a DCS code kept between the steps becomes the step a CTCSS tone stores.
    const std::string dev = grid.TextMatrix(row, ColCtDev);
    if (col == ColCtcssEnc && !text.empty() && !dev.empty())
        if (int step = CtDevIndex(dev); step >= 0)
            write(row, ColCtDev, std::to_string(kCtDevSteps[static_cast<size_t>(step)]));
    if ((col == ColCtcssEnc || col == ColDcsEnc) && !HasEncodeTone(grid, row))
        write(row, ColCtDev, CtDevWithoutTone(grid, row));
}

bool HasEncodeTone(const GridStore& grid, int row) {
    return !Trim(grid.TextMatrix(row, ColCtcssEnc)).empty() || !Trim(grid.TextMatrix(row, ColDcsEnc)).empty();
}

std::string CtDevWithoutTone(const GridStore& grid, int row) {
    return row == grid.Rows() - 1 ? std::string() : std::string(kDefaultCtDev);
}

} // namespace vt
