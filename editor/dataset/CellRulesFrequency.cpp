#include "common/TextUtil.h"
#include "editor/dataset/CellRules.h"
#include "editor/dataset/CellRulesDecimal.h"
#include "editor/dataset/EditorData.h"

#include <cmath>
#include <cstdio>

namespace vt {

namespace {
constexpr int kFreqScale = 4;           // MHz -> units of 100 Hz
constexpr long long kUnitsPerMHz = 10000;
constexpr long long kRasterUnits = 125; // 12.5 kHz

long long MHzUnits(double mhz) { return std::llround(mhz * kUnitsPerMHz); }
} // namespace

CellContext CellContextOf(const EditorData& d) {
    CellContext c;
    c.BandLow = d.BandLimits[1];
    c.BandHigh = d.BandLimits[2];
    c.BandRangeText = d.BandRangeText;
    c.NotNumberMsg = d.Lang.Text("Fradio_Msg", 5);
    c.RangeInfixMsg = d.Lang.Text("Fradio_Msg", 9);
    c.ToneRangeMsg = d.Lang.Text("Fradio_Msg", 14);
    c.NotAnItemMsg = d.Lang.Text("Fradio_Msg", 22);
    c.SecondRxNeedsFreqMsg = d.Lang.Text("Fradio_Msg", 25);
    return c;
}

int CheckFreq(std::string_view text, const CellContext& ctx) {
    auto v = ScaleDecimal(text, kFreqScale);
    if (!v) return 0;
    return CompareScaled(*v, MHzUnits(ctx.BandLow)) >= 0 && CompareScaled(*v, MHzUnits(ctx.BandHigh)) <= 0 ? 1 : 0;
}

std::string FormatFreqUnits(long long units) {
    bool neg = units < 0;
    unsigned long long u = neg ? 0ULL - static_cast<unsigned long long>(units) : static_cast<unsigned long long>(units);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%llu.%04llu", neg ? "-" : "", u / kUnitsPerMHz, u % kUnitsPerMHz);
    return buf;
}

std::string AdjustRxFreqByStep(std::string_view text) {
    auto v = ScaleDecimal(text, kFreqScale);
    if (!v || v->Huge) return std::string();
    long long whole = v->Units / kUnitsPerMHz;
    // Below zero the part above the whole MHz is negative and no raster step fits into it.
    if (v->Negative) return whole == 0 ? FormatFreqUnits(0) : FormatFreqUnits(-whole * kUnitsPerMHz);
    long long above = v->Units % kUnitsPerMHz;
    return FormatFreqUnits(whole * kUnitsPerMHz + above / kRasterUnits * kRasterUnits);
}

std::string AdjustFreq(std::string_view text) { return AdjustRxFreqByStep(text); }

CellCommit CommitFreq(const std::string& cell, std::string_view input, const CellContext& ctx) {
    CellCommit c;
    c.Text = cell;
    if (IsNumeric(input)) {
        if (CheckFreq(input, ctx) != 1) {
            c.Message = ctx.BandRangeText;
            c.Result = kCommitOutOfRange;
            return c;
        }
        c.Text = AdjustFreq(input);
    } else if (!Trim(input).empty()) {
        c.Message = ctx.NotNumberMsg;
        c.Result = kCommitNotNumber;
        return c;
    } else {
        c.Text.clear(); // blank clears the frequency
    }
    c.Accepted = true;
    return c;
}

CellCommit CommitSecondRxFreq(const std::string& cell, std::string_view input, const CellContext& ctx) {
    if (!Trim(input).empty()) return CommitFreq(cell, input, ctx);
    CellCommit c;
    c.Text = cell;
    c.Result = kCommitKept;
    c.Message = ctx.SecondRxNeedsFreqMsg;
    return c;
}

} // namespace vt
