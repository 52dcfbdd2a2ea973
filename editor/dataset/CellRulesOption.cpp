#include "common/TextUtil.h"
#include "editor/dataset/CellRules.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridStore.h"
#include "editor/image/ConversionTables.h"
#include "editor/image/ToneLists.h"
#include "editor/image/ToneConverters.h"

#include <algorithm>
#include <cmath>

namespace vt {

namespace {
CellCommit Refused(const std::string& cell) {
    CellCommit c;
    c.Text = cell;
    return c;
}

CellCommit Stored(std::string text) {
    CellCommit c;
    c.Text = std::move(text);
    c.Accepted = true;
    return c;
}

// A combo's text that is none of its items: the cell keeps its text and the user hears why.
CellCommit NotAnItem(const std::string& cell, std::string_view input, const CellContext& ctx) {
    CellCommit c = Refused(cell);
    c.Message = "\"" + std::string(input) + "\"" + ctx.NotAnItemMsg;
    return c;
}

bool IsItem(std::string_view input, const std::vector<std::string>& items) {
    return std::find(items.begin(), items.end(), input) != items.end();
}

// A number box: numeric and in range stores the whole part, blank stores the default.
CellCommit CommitWholeInRange(const std::string& cell, std::string_view input, const CellContext& ctx, int ok,
                              const std::string& rangeMsg, const char* blankValue) {
    CellCommit c = Refused(cell);
    if (IsNumeric(input)) {
        if (ok != 1) {
            c.Message = rangeMsg;
            c.Result = kCommitOutOfRange;
            return c;
        }
        return Stored(AdjustDcsDev(input));
    }
    if (!Trim(input).empty()) {
        c.Message = ctx.NotNumberMsg;
        c.Result = kCommitNotNumber;
        return c;
    }
    return Stored(blankValue);
}

int InRange(std::string_view text, double low, double high) {
    auto v = ToDouble(text);
    return v && *v >= low && *v <= high ? 1 : 0;
}
} // namespace

const std::vector<std::string>& BclItems() {
    static const std::vector<std::string> items{"NO", "YES"};
    return items;
}

const std::vector<std::string>& Scan2Items() {
    static const std::vector<std::string> items{"NO", "S", "P"};
    return items;
}

const std::vector<std::string>& FiveToneItems() {
    static const std::vector<std::string> items{"NO", "A", "P", "M", "AP", "AM", "PM", "APM"};
    return items;
}

const std::vector<std::string>& AniItems() {
    static const std::vector<std::string> items{"NO", "L", "T", "LO", "TO"};
    return items;
}

const std::vector<std::string>& SelCallItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> v{"NO"};
        for (int i = 1; i <= kToneLines; ++i) v.push_back(IntText(i));
        return v;
    }();
    return items;
}

CellCommit CommitCombo(const std::string& cell, std::string_view input, const std::vector<std::string>& items,
                       const CellContext& ctx) {
    if (input.empty() || input == "NO") return Stored(std::string());
    if (!IsItem(input, items)) return NotAnItem(cell, input, ctx);
    return Stored(std::string(input));
}

CellCommit CommitScan(const std::string& cell, std::string_view input, const std::vector<std::string>& items,
                      const CellContext& ctx) {
    CellCommit c = CommitCombo(cell, input, items, ctx);
    c.ClearAreaPriority = c.Accepted && c.Text.find('P') != std::string::npos;
    return c;
}

CellCommit CommitSelCall(const std::string& cell, std::string_view input, const CellContext& ctx) {
    if (input.empty() || input == "NO") return Stored(std::string());
    std::string t = Trim(input);
    if (!IsDigits(t)) return NotAnItem(cell, input, ctx);
    t.erase(0, std::min(t.find_first_not_of('0'), t.size()));
    if (t.empty() || t.size() > 3) return NotAnItem(cell, input, ctx);
    long long n = std::stoll(t);
    if (n > kToneLines) return NotAnItem(cell, input, ctx);
    return Stored(IntText(n));
}

int CheckCtDev(std::string_view text) { return InRange(text, 100, 500); }
int CheckPower(std::string_view text) { return InRange(text, 1, kPowerLevels); }

std::string AdjustDcsDev(std::string_view text) {
    auto v = ToDouble(text);
    if (!v || std::fabs(*v) >= 1e15) return std::string();
    return IntText(static_cast<long long>(std::trunc(*v)));
}

CellCommit CommitCtDev(const std::string& cell, std::string_view input, const CellContext& ctx, bool dcsRow) {
    CellCommit c =
        CommitWholeInRange(cell, input, ctx, CheckCtDev(input), "Deviation" + ctx.RangeInfixMsg + "100--500", "250");
    // The radio holds one of nine steps (a DCS channel one of 21 values): the cell shows the one
    // a save stores, not a value that would come back different.
    if (!c.Accepted) return c;
    if (dcsRow) {
        if (auto kept = CtDevFromDevByte(DevByteFromCtDev(c.Text))) c.Text = std::to_string(*kept);
    } else if (int step = CtDevIndex(c.Text); step >= 0) {
        c.Text = std::to_string(kCtDevSteps[static_cast<size_t>(step)]);
    }
    return c;
}

bool HoldsDcsDeviation(const GridStore& grid, int row) {
    return Trim(grid.TextMatrix(row, ColCtcssEnc)).empty() && !Trim(grid.TextMatrix(row, ColDcsEnc)).empty();
}

CellCommit CommitPower(const std::string& cell, std::string_view input, const CellContext& ctx) {
    return CommitWholeInRange(cell, input, ctx, CheckPower(input), "Power" + ctx.RangeInfixMsg + "1--" + std::to_string(kPowerLevels) + "watt", "50");
}

} // namespace vt
