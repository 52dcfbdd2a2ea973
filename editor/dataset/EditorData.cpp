#include "editor/dataset/EditorData.h"

#include "editor/dataset/GridRules.h"

namespace vt {

EditorData::EditorData() {
    AllArray.assign(207, std::vector<std::string>(19));
    ScanChoices = {"NO", "T", "S", "P", "TS", "TP"};
    // A new data set is the freshly started editor's: the full grid of 202 rows.
    BuildGrid(*this);
    ResetSettings();
    for (auto& line : specialData_)
        for (auto& f : line) f.clear();
}

void EditorData::ResetSettings() {
    for (int i = 1; i <= kMaxAreas; ++i)
        areaNames_[static_cast<size_t>(i)] = std::to_string(i);
    fiveToneInfo_ = kDefaultFiveToneInfo;
    for (int n = 1; n <= kToneLines; ++n)
        fiveToneChannels_[static_cast<size_t>(n)] = kEmptyToneLine;
    farmMarnetInfo_ = kDefaultFarmMarnetInfo;
}

void EditorData::SetModified(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    if (listener_.l) listener_.l->ModifiedChanged(modified);
}

namespace {
bool InRange(int n, int last) {
    return n >= 1 && n <= last;
}
} // namespace

void EditorData::CountWrite(RecordWrite how) {
    if (how == RecordWrite::Edit && replacing_ == 0) MarkModified();
}

void EditorData::WriteRecord(std::string& stored, const std::string& value, RecordWrite how) {
    if (stored == value) return;
    stored = value;
    CountWrite(how);
}

void EditorData::SetRadioOption(const std::string& record, RecordWrite how) {
    WriteRecord(radioOption_, record, how);
}

void EditorData::SetFiveToneInfo(const std::string& record, RecordWrite how) {
    WriteRecord(fiveToneInfo_, record, how);
}

void EditorData::SetFarmMarnetInfo(const std::string& record, RecordWrite how) {
    WriteRecord(farmMarnetInfo_, record, how);
}

void EditorData::SetFiveToneLine(int line, const std::string& text, RecordWrite how) {
    if (!InRange(line, kToneLines)) return;
    WriteRecord(fiveToneChannels_[static_cast<size_t>(line)], text, how);
}

void EditorData::SetSpecialLine(int line, const SpecialLine& fields, RecordWrite how) {
    if (!InRange(line, kToneLines)) return;
    for (int f = 1; f <= kSpecialFields; ++f)
        SetSpecialField(line, f, fields[static_cast<size_t>(f)], how);
}

void EditorData::SetSpecialField(int line, int field, const std::string& text, RecordWrite how) {
    if (!InRange(line, kToneLines) || !InRange(field, kSpecialFields)) return;
    WriteRecord(specialData_[static_cast<size_t>(line)][static_cast<size_t>(field)], text, how);
}

void EditorData::SetAreaName(int area, const std::string& name, RecordWrite how) {
    if (!InRange(area, kMaxAreas)) return;
    WriteRecord(areaNames_[static_cast<size_t>(area)], name, how);
}

void EditorData::SetCell(int row, int col, const std::string& text, RecordWrite how) {
    if (!MFG.Contains(row, col) || MFG.TextMatrix(row, col) == text) return;
    Grid().SetTextMatrix(row, col, text);
    CountWrite(how);
}

void EditorData::SetGridRows(int rows, RecordWrite how) {
    const int before = MFG.Rows();
    Grid().SetRows(rows);
    if (MFG.Rows() != before) CountWrite(how);
}

void EditorData::SetGridCols(int cols, RecordWrite how) {
    const int before = MFG.Cols();
    Grid().SetCols(cols);
    if (MFG.Cols() != before) CountWrite(how);
}

void EditorData::ClearGridRow(int row, RecordWrite how) {
    for (int c = 0; c < MFG.Cols(); ++c) SetCell(row, c, std::string(), how);
}

void EditorData::SetAreaNames(const std::vector<std::string>& names, RecordWrite how) {
    for (size_t i = 0; i < names.size(); ++i) SetAreaName(static_cast<int>(i) + 1, names[i], how);
    Notify(DataSetChange::AreaNames);
}

void EditorData::Notify(DataSetChange what) {
    if (replacing_ == 0 && listener_.l) listener_.l->Changed(what);
}

void EditorData::RestoreFiveTone(const std::string& info, const ToneLines& lines, const SpecialLines& special,
                                 const std::string& farmMarnet) {
    fiveToneInfo_ = info;
    fiveToneChannels_ = lines;
    specialData_ = special;
    farmMarnetInfo_ = farmMarnet;
}

void EditorData::BeginReplace() {
    ++replacing_;
    Grid().beginBatch();
}

void EditorData::EndReplace() {
    if (replacing_ == 0) return;
    const bool outermost = --replacing_ == 0;
    // A replaced data set is shown anew even where a cell happens to hold the same text.
    if (outermost) Grid().ReportReset();
    Grid().endBatch();
    if (outermost && listener_.l) listener_.l->DataSetReplaced();
}

} // namespace vt
