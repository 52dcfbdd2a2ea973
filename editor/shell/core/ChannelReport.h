#pragma once
// The channel report: the whole data set as plain text lines, printed or exported.
#include <optional>
#include <string>
#include <vector>

namespace vt {

struct EditorData;

// Item texts of the choice lists the report names (the same lists the dialogs show).
struct ReportLists {
    std::vector<std::string> functionKeys; // function-key list, items 0..7
    std::vector<std::string> pinFunctions; // alarm-input function list, items 0..1
    std::vector<std::string> toneSets;     // tone-set list, items 0..5
};

// One report line per entry: its text followed by its carriage returns (one, or two for the
// lines that leave an empty line after them); the very first line is empty with no carriage
// return. Whoever writes the report adds the line end after each entry.
struct ReportResult {
    std::vector<std::string> lines;
    std::string error; // set when a list index in the data is not usable; lines then empty
};

ReportResult ChannelReport(const EditorData& d, const ReportLists& lists);

// The text export's bytes: every entry followed by CR LF.
std::string ReportFileText(const std::vector<std::string>& lines);

// The text repeated count times; "" for count <= 0.
std::string RepeatString(const std::string& text, int count);

} // namespace vt
