#include "editor/dataset/GridRules.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"
#include "editor/dataset/CellRules.h"
#include "editor/dataset/EditorData.h"
#include "editor/image/SettingsFieldNames.h"
#include "editor/image/SettingsFields.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vt {

namespace {
constexpr int kTrunkRowsPerArea = 16;

// Whole-number value of an option field, or nothing.
std::optional<long long> WholeField(const std::vector<std::string>& f, int k) { return ToWhole(f[static_cast<size_t>(k)]); }

// Areas (1..10) and channels per area (1..200) of a valid record. Out-of-range numbers are
// clamped so that a damaged record can never build an unbounded grid.
bool AreaShape(const std::vector<std::string>& f, int& areas, int& perArea) {
    auto a = WholeField(f, 0);
    auto c = WholeField(f, 1);
    if (!a || !c || *a < 1 || *c < 1) return false;
    areas = static_cast<int>(std::min<long long>(*a, kMaxAreas));
    perArea = static_cast<int>(std::min<long long>(*c, kMaxChannels));
    return true;
}

// Channels per area as the area tests read it (0 when not a positive whole number).
long long PerArea(const std::vector<std::string>& f) {
    auto c = WholeField(f, 1);
    return c && *c > 0 ? *c : 0;
}

int LastChannelRow(const EditorData& d) { return d.MFG.Rows() - 2; }

// A rule's grid writes are quiet: whoever runs the rule says whether the data set was edited (a
// click or a dialog's OK marks it; start-up, New, a decode and a band choice do not).
void SetScan(EditorData& d, int row, const std::string& value) {
    d.SetCell(row, ColScan, value, RecordWrite::Quiet);
}

// "P" -> "", "AP" -> "A", "TP" -> "T"; other values stay.
void DropPriority(EditorData& d, int row) {
    const std::string& s = d.MFG.TextMatrix(row, ColScan);
    if (s == "P") SetScan(d, row, "");
    else if (s == "AP") SetScan(d, row, "A");
    else if (s == "TP") SetScan(d, row, "T");
}

std::string ShortestNumber(double v) {
    if (std::floor(v) == v && std::fabs(v) < 1e15) return IntText(static_cast<long long>(v));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

std::string PadRight(std::string s, size_t width) {
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
}

void DefaultChannelCells(EditorData& d, int r, bool onlyEmpty) {
    auto put = [&](int col, const std::string& v) {
        if (!onlyEmpty || d.MFG.TextMatrix(r, col).empty()) d.SetCell(r, col, v, RecordWrite::Quiet);
    };
    d.SetCell(r, ColNo, "Ch:" + std::to_string(r), RecordWrite::Quiet);
    put(ColName1, std::to_string(r));
    put(ColCtDev, CtDevWithoutTone(d.MFG, r));
    put(ColPower, kDefaultPower);
}
} // namespace

std::optional<std::vector<std::string>> OptionRecordFields(const std::string& radioOption) {
    auto f = Split(radioOption);
    if (f.size() != kOptionFieldCount) return std::nullopt;
    return f;
}

bool MarnetOn(const EditorData& d) {
    auto f = Split(d.FarmMarnetInfo());
    return f.size() > kMarnetOn && f[kMarnetOn] == "1";
}

bool SecondReceiverOn(const EditorData& d) {
    auto f = Split(d.FarmMarnetInfo());
    return f.size() > kSecondRxOn && StrToIntDef(f[kSecondRxOn]) == 1;
}

std::string GetDefaultSetup() { return kDefaultRadioOption; }

CellLock CellLockOf(const EditorData& d, int row, int col) {
    if (col == ColRxFreq && row == d.MFG.Rows() - 1 && !SecondReceiverOn(d)) return CellLock::SecondRxOff;
    if (col == ColCtDev && row >= 1 && row < d.MFG.Rows() && !HasEncodeTone(d.MFG, row))
        return CellLock::NoEncodeTone;
    return CellLock::None;
}

void StoreEdit(EditorData& d, int row, int col, const std::string& text) {
    // The click that opened the editor has marked the data set already (every click counts).
    StoreCellText(d.MFG, row, col, text,
                  [&d](int r, int c, const std::string& t) { d.SetCell(r, c, t, RecordWrite::Quiet); });
    if (col != ColRxFreq || row != d.MFG.Rows() - 1 || !SecondReceiverOn(d)) return;
    auto f = Split(d.FarmMarnetInfo());
    auto mhz = ToDouble(text);
    // An emptied cell is refused by its editor (CommitRxCell): the receiver keeps its frequency.
    if (!mhz || f.size() != static_cast<size_t>(kFarmFieldCount)) return;
    f[kSecondRxFrequency] = ShortestNumber(*mhz); // as an opened file gives it back
    d.SetFarmMarnetInfo(Join(f));
}

CellCommit CommitRxCell(const EditorData& d, int row, const std::string& cell, std::string_view input,
                        const CellContext& ctx) {
    if (row == d.MFG.Rows() - 1 && SecondReceiverOn(d)) return CommitSecondRxFreq(cell, input, ctx);
    return CommitFreq(cell, input, ctx);
}

const std::vector<std::string>& GridHeaders() {
    static const std::vector<std::string> h = {"No",        "Tx Freq",   "Rx Freq", "ID line1.", "ID line2.", "CTCSS ENC",
                                               "CTCSS DEC", "DCS ENC",   "DCS DEC", "BCL",       "SCAN",      "5Tone Resp",
                                               "ANI",       "Sel Call",  "CT DEV",  "Power"};
    return h;
}

namespace {
// The second receiver's labels, and its frequency when one is given; the rules that reshape the
// grid call it without a notice of its own.
void PutSecondRec(EditorData& d, const std::string& secfreq) {
    const int last = d.MFG.Rows() - 1;
    d.SetCell(last, ColNo, "201", RecordWrite::Quiet);
    d.SetCell(last, ColName1, "SECOND", RecordWrite::Quiet);
    d.SetCell(last, ColName2, "RECEIVER", RecordWrite::Quiet);
    if (!secfreq.empty()) {
        d.SetCell(last, ColTxFreq, secfreq, RecordWrite::Quiet);
        d.SetCell(last, ColRxFreq, secfreq, RecordWrite::Quiet);
    }
}
} // namespace

void BuildGrid(EditorData& d) {
    static const int widths[kGridCols] = {640, 960, 960, 960, 1600, 1040, 1040, 800,
                                          800, 720, 640, 960, 640,  800,  720,  640};
    GridBatch batch(d);
    d.SetGridCols(kGridCols, RecordWrite::Quiet);
    d.SetGridRows(kMaxChannels + 2, RecordWrite::Quiet);
    for (int c = 0; c < kGridCols; ++c) {
        d.SetCell(0, c, GridHeaders()[static_cast<size_t>(c)], RecordWrite::Quiet);
        d.MFG.SetColWidth(c, widths[c]);
    }
    for (int r = 1; r < d.MFG.Rows(); ++r) {
        d.ClearGridRow(r, RecordWrite::Quiet);
        DefaultChannelCells(d, r, false);
    }
    PutSecondRec(d, "");
    NoteGridShape(d);
}

// ---------------------------------------------------------------- areas and second receiver

namespace {
// Rows of the grid a valid record gives, and its MARNET row (0: none).
struct RecordShape {
    int rows = 0, marnetRow = 0;
};
std::optional<RecordShape> ShapeOfRecords(const EditorData& d) {
    auto f = OptionRecordFields(d.RadioOption());
    int areas = 0, per = 0;
    if (!f || !AreaShape(*f, areas, per)) return std::nullopt;
    const int marnetRow = areas == 1 && MarnetOn(d) ? per + 1 : 0;
    return RecordShape{areas * per + 2 + (marnetRow ? 1 : 0), marnetRow};
}

// The MARNET row the grid was last shaped with, while it still stands above row 201.
int ShapedMarnetRow(const EditorData& d) {
    return d.MarnetRow >= 1 && d.MarnetRow == d.MFG.Rows() - 2 ? d.MarnetRow : 0;
}

std::vector<std::string> RowCells(const EditorData& d, int row) {
    std::vector<std::string> cells;
    for (int c = 1; c < d.MFG.Cols(); ++c) cells.push_back(d.MFG.TextMatrix(row, c));
    return cells;
}

// Columns 1 on; an empty list empties them.
void PutRowCells(EditorData& d, int row, const std::vector<std::string>& cells) {
    for (int c = 1; c < d.MFG.Cols(); ++c) {
        const auto k = static_cast<size_t>(c - 1);
        d.SetCell(row, c, k < cells.size() ? cells[k] : std::string(), RecordWrite::Quiet);
    }
}

// A row that goes with something a save would keep of it (a frequency): what it held.
std::optional<DroppedChannel> DroppedRow(const EditorData& d, int row) {
    auto filled = [&d, row](int col) { return !Trim(d.MFG.TextMatrix(row, col)).empty(); };
    if (!filled(ColTxFreq) && !filled(ColRxFreq)) return std::nullopt;
    DroppedChannel lost{row, Trim(d.MFG.TextMatrix(row, ColNo)), {}};
    for (int col : {ColTxFreq, ColRxFreq, ColName2})
        if (filled(col)) lost.values.emplace_back(col, d.MFG.TextMatrix(row, col));
    return lost;
}

std::vector<DroppedChannel> ReshapeAreas(EditorData& d) {
    const auto shape = ShapeOfRecords(d);
    if (!shape) return {}; // nothing touched: the second receiver survives
    GridBatch batch(d);
    const int oldLast = d.MFG.Rows() - 1;
    // The MARNET channel stays the row after the area's channels while there is one before and
    // after; the area's own last channels are added or dropped.
    const int oldMarnet = ShapedMarnetRow(d);
    const bool keepMarnet = oldMarnet > 0 && shape->marnetRow > 0;
    const int lastByPosition = shape->rows - 2 - (keepMarnet ? 1 : 0);
    std::vector<DroppedChannel> dropped;
    for (int r = lastByPosition + 1; r < oldLast; ++r) {
        if (keepMarnet && r == oldMarnet) continue;
        if (auto lost = DroppedRow(d, r)) dropped.push_back(*lost);
    }
    // The second receiver keeps its cells; the old rows of both may become channel rows and
    // start clean.
    const std::vector<std::string> second = RowCells(d, oldLast);
    const std::vector<std::string> marnet = keepMarnet ? RowCells(d, oldMarnet) : std::vector<std::string>();
    PutRowCells(d, oldLast, {});
    if (keepMarnet) PutRowCells(d, oldMarnet, {});
    d.SetGridRows(shape->rows, RecordWrite::Quiet);
    if (keepMarnet) PutRowCells(d, shape->marnetRow, marnet);
    for (int r = 1; r < d.MFG.Rows(); ++r) DefaultChannelCells(d, r, true);
    PutRowCells(d, d.MFG.Rows() - 1, second);
    PutSecondRec(d, "");
    NoteGridShape(d);
    return dropped;
}
} // namespace

std::vector<DroppedChannel> AdjustArea_Marnet(EditorData& d) {
    std::vector<DroppedChannel> dropped = ReshapeAreas(d);
    d.Notify(DataSetChange::AreaShape);
    return dropped;
}

void NoteGridShape(EditorData& d) {
    const auto shape = ShapeOfRecords(d);
    d.MarnetRow = shape && shape->rows == d.MFG.Rows() ? shape->marnetRow : 0;
}

std::vector<DroppedChannel> FitGridToRecords(EditorData& d) {
    std::vector<DroppedChannel> dropped;
    // A MARNET row the records no longer give; a row they add is the FARMCALL/MARNET update's.
    const int marnetRow = ShapedMarnetRow(d);
    if (const auto shape = ShapeOfRecords(d);
        shape && marnetRow > 0 && (shape->marnetRow != marnetRow || shape->rows != d.MFG.Rows())) {
        dropped = AdjustArea_Marnet(d);
        UpdateAreaNo(d);
    }
    const int last = d.MFG.Rows() - 1;
    const std::string rx = d.MFG.TextMatrix(last, ColRxFreq);
    if (!SecondReceiverOn(d) && !Trim(rx).empty()) {
        dropped.push_back({last, Trim(d.MFG.TextMatrix(last, ColNo)), {{ColRxFreq, rx}}});
        d.SetCell(last, ColRxFreq, std::string(), RecordWrite::Quiet);
        d.Notify(DataSetChange::SecondReceiver);
    }
    return dropped;
}

std::string DroppedChannelsText(const std::vector<DroppedChannel>& dropped, const std::string& heading,
                                size_t maxLines, const std::string& moreText) {
    std::string s = heading;
    for (size_t k = 0; k < dropped.size(); ++k) {
        if (k == maxLines) {
            s += "\n" + std::to_string(dropped.size() - maxLines) + " " + moreText;
            break;
        }
        s += "\n" + dropped[k].label;
        for (const auto& [col, text] : dropped[k].values)
            s += "  " + GridHeaders()[static_cast<size_t>(col)] + " " + text;
    }
    return s;
}

namespace {
void LabelChannels(EditorData& d) {
    auto f = OptionRecordFields(d.RadioOption());
    if (!f) return;
    const bool oneArea = (*f)[kOptNumberArea] == "1" || (*f)[kOptNumberArea].empty();
    GridBatch batch(d);
    // Labels are rebuilt from the row number, so a second call gives the same text.
    for (int r = 1; r <= LastChannelRow(d); ++r) {
        std::string label = "Ch:" + std::to_string(r);
        if (!oneArea) label = PadRight(label, 13) + "     Area:" + std::to_string(WhichAreaInt(d, r));
        d.SetCell(r, ColNo, label, RecordWrite::Quiet);
    }
    d.MFG.SetColWidth(ColNo, oneArea ? kNoColWidthOneArea : kNoColWidthAreas);
}
} // namespace

void UpdateAreaNo(EditorData& d) {
    LabelChannels(d);
    d.Notify(DataSetChange::AreaNumbers);
}

void AddSecondRec(EditorData& d, const std::string& secfreq) {
    PutSecondRec(d, secfreq);
    d.Notify(DataSetChange::SecondReceiver);
}

int WhichAreaInt(const EditorData& d, int row) {
    if (row == d.MFG.Rows() - 1) return -1;
    auto f = OptionRecordFields(d.RadioOption());
    if (!f) return 0;
    const long long c = PerArea(*f);
    for (int a = 1; a <= kMaxAreas; ++a)
        if (row <= a * c) return a;
    return 0;
}

std::string WhichArea(EditorData& d, int row) {
    const int a = WhichAreaInt(d, row);
    if (a < 1) return std::string();
    d.CurrentArea = a;
    return d.AreaNames()[static_cast<size_t>(a)];
}

std::string CurrentAreaName(const EditorData& d) {
    if (d.CurrentArea >= 1 && d.CurrentArea <= kMaxAreas)
        return d.AreaNames()[static_cast<size_t>(d.CurrentArea)];
    return "Click one channel please";
}

// ---------------------------------------------------------------- SCAN column

bool ScanUsesAcs(const EditorData& d) {
    auto f = OptionRecordFields(d.RadioOption());
    if (!f) return false;
    const std::string keys = (*f)[kOptComboF1] + (*f)[kOptComboF2] + (*f)[kOptComboF3] + (*f)[kOptComboF4];
    return keys.find(static_cast<char>('0' + kKeyAcs)) != std::string::npos; // one digit a key
}

namespace {
void SwitchScanLetters(EditorData& d) {
    const bool acs = ScanUsesAcs(d);
    d.ScanChoices = acs ? std::vector<std::string>{"NO", "A", "S", "P", "AS", "AP"}
                        : std::vector<std::string>{"NO", "T", "S", "P", "TS", "TP"};
    const char from = acs ? 'T' : 'A', to = acs ? 'A' : 'T';
    GridBatch batch(d);
    for (int r = 1; r < d.MFG.Rows(); ++r) {
        std::string s = d.MFG.TextMatrix(r, ColScan);
        std::replace(s.begin(), s.end(), from, to);
        SetScan(d, r, s);
    }
}
} // namespace

void UpdateScan(EditorData& d) {
    SwitchScanLetters(d);
    d.Notify(DataSetChange::ScanLetters);
}

std::string ScanTipText(bool acs) {
    return std::string("'S'-- scan is required, 'P'-- priority scan, ") + (acs ? "'A' --- ACS" : "'T' --- Trunk channel") +
           "\rDefault is 'NO'";
}

int IsTAvailable(const EditorData& d, int row) {
    long long n = 0, area = 1;
    if (auto f = OptionRecordFields(d.RadioOption())) {
        n = PerArea(*f);
        area = 0;
        for (int a = 1; a <= kMaxAreas; ++a)
            if (row <= a * n) {
                area = a;
                break;
            }
    }
    const long long first = (area - 1) * n + 1;
    return row >= first && row <= first + kTrunkRowsPerArea - 1 ? 1 : 0;
}

std::vector<std::string> ScanItemsOn(const EditorData& d, int row, const std::vector<std::string>& items) {
    auto f = OptionRecordFields(d.RadioOption());
    int areas = 0, per = 0;
    if (!f || !AreaShape(*f, areas, per) || row <= areas * per) return items;
    std::vector<std::string> kept;
    for (const std::string& item : items)
        if (item.find('P') == std::string::npos) kept.push_back(item);
    return kept;
}

namespace {
void DropUnavailableTrunk(EditorData& d) {
    GridBatch batch(d);
    for (int r = 1; r <= LastChannelRow(d); ++r) {
        if (IsTAvailable(d, r)) continue;
        const std::string& s = d.MFG.TextMatrix(r, ColScan);
        if (s == "T" || s == "A") SetScan(d, r, "");
        else if (s == "TS" || s == "AS") SetScan(d, r, "S");
        else if (s == "TP" || s == "AP") SetScan(d, r, "P");
    }
}
} // namespace

void ValidateT(EditorData& d) {
    DropUnavailableTrunk(d);
    d.Notify(DataSetChange::TrunkFlags);
}

namespace {
void KeepFirstPriority(EditorData& d) {
    auto f = OptionRecordFields(d.RadioOption());
    int areas = 0, per = 0;
    if (!f || !AreaShape(*f, areas, per)) return;
    GridBatch batch(d);
    const int last = LastChannelRow(d);
    for (int a = 1; a <= areas; ++a) {
        bool seen = false;
        for (int r = (a - 1) * per + 1; r <= a * per && r <= last; ++r) {
            if (d.MFG.TextMatrix(r, ColScan).find('P') == std::string::npos) continue;
            if (seen) DropPriority(d, r);
            seen = true;
        }
    }
}
} // namespace

void ValidateP(EditorData& d) {
    KeepFirstPriority(d);
    d.Notify(DataSetChange::PriorityFlags);
}

void AdjustP(EditorData& d, int curRow) {
    if (curRow == d.MFG.Rows() - 1) return;
    auto f = OptionRecordFields(d.RadioOption());
    if (!f) return;
    const long long n = PerArea(*f);
    const long long a = d.CurrentArea;
    GridBatch batch(d);
    const long long first = std::max<long long>((a - 1) * n + 1, 1);
    const long long end = std::min<long long>(a * n, LastChannelRow(d));
    for (long long r = first; r <= end; ++r) DropPriority(d, static_cast<int>(r));
}

// ---------------------------------------------------------------- bands

double BandLow(int band) { return band >= 0 && band < kBandCount ? kBandEdges[static_cast<size_t>(band)][0] : 0.0; }
double BandHigh(int band) { return band >= 0 && band < kBandCount ? kBandEdges[static_cast<size_t>(band)][1] : 0.0; }

int BandOf(double f) {
    for (int b = 0; b < kBandCount; ++b)
        if (f >= BandLow(b) && f <= BandHigh(b)) return b;
    return -1;
}

std::string BandLabelSuffix(const EditorData& d) {
    return "  " + ShortestNumber(d.BandLimits[1]) + " -- " + ShortestNumber(d.BandLimits[2]) + "MHz";
}

void SetBand(EditorData& d, int band, RecordWrite how) {
    if (band >= 0 && band < kBandCount) {
        d.BandIndex = band;
        d.BandRangeText = BandRange(band);
    }
    CheckAllCHFrequency(d, how);
}

namespace {
// Text that is no number is no frequency of this band either.
bool OutsideBand(const EditorData& d, const std::string& text) {
    if (Trim(text).empty()) return false;
    auto f = ToDouble(text);
    return !f || *f < BandLow(d.BandIndex) || *f > BandHigh(d.BandIndex);
}
} // namespace

void PickBand(EditorData& d, int band) {
    SetBand(d, band, RecordWrite::Edit);
    if (!SecondReceiverOn(d)) return;
    auto f = Split(d.FarmMarnetInfo());
    // Left in place, the radio would keep a frequency the grid no longer shows. The receiver
    // stays on: the FARMCALL/MARNET dialog and row 201 ask for a new frequency.
    if (f.size() != static_cast<size_t>(kFarmFieldCount) || !OutsideBand(d, f[kSecondRxFrequency])) return;
    f[kSecondRxFrequency].clear();
    d.SetFarmMarnetInfo(Join(f), RecordWrite::Edit);
}

void CheckAllCHFrequency(EditorData& d, RecordWrite how) {
    d.BandLimits[1] = BandLow(d.BandIndex);
    d.BandLimits[2] = BandHigh(d.BandIndex);
    GridBatch batch(d);
    for (int r = 1; r < d.MFG.Rows(); ++r)
        for (int col : {ColTxFreq, ColRxFreq})
            if (OutsideBand(d, d.MFG.TextMatrix(r, col))) d.SetCell(r, col, "", how);
}

bool ChooseBand(EditorData& d) {
    std::optional<double> f = ToDouble(d.MFG.TextMatrix(1, ColRxFreq));
    // A data set whose channel 1 is empty still carries its band in its other channels.
    for (int col : {ColRxFreq, ColTxFreq})
        for (int r = 1; !f && r <= LastChannelRow(d); ++r) f = ToDouble(d.MFG.TextMatrix(r, col));
    if (!f) return false;
    const int b = BandOf(*f);
    if (b >= 0) d.BandIndex = b;
    return true;
}

void UpdateBand(EditorData& d) {
    if (ChooseBand(d)) SetBand(d, d.BandIndex);
}

void UpdateAllArray(EditorData& d) {
    for (int i = 1; i < d.MFG.Rows() && i < static_cast<int>(d.AllArray.size()); ++i)
        for (int j = 1; j < d.MFG.Cols() && j < static_cast<int>(d.AllArray[static_cast<size_t>(i)].size()); ++j)
            d.AllArray[static_cast<size_t>(i)][static_cast<size_t>(j)] = d.MFG.TextMatrix(i, j);
}

} // namespace vt
