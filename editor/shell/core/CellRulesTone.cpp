#include "common/TextUtil.h"
#include "editor/shell/core/CellRules.h"
#include "editor/shell/core/CellRulesDecimal.h"

namespace vt {

namespace {
constexpr const char* kCtcssTones[] = {
    "67.0",  "69.4",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",  "94.8",
    "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3", "131.8", "136.5",
    "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9", "171.3", "173.8", "177.3",
    "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5", "203.5", "206.5", "210.7", "218.1",
    "225.7", "229.1", "233.6", "241.8", "250.3", "254.1", "259.1"};
constexpr const char* kDcsCodes[] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071", "072", "073",
    "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145", "152", "155", "156", "162",
    "165", "172", "174", "205", "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255",
    "261", "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446", "452", "454", "455",
    "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624",
    "627", "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

constexpr long long kLowestTenths = 670;   // 67.0 Hz
constexpr long long kHighestTenths = 2591; // 259.1 Hz

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
        for (const char* t : kCtcssTones) v.emplace_back(t);
        v.emplace_back("OTHER");
        return v;
    }();
    return items;
}

const std::vector<std::string>& DcsListItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> v{"NO"};
        for (const char* t : kDcsCodes) v.emplace_back(t);
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

} // namespace vt
