#include "editor/codec/ImageFixedPoint.h"

#include "editor/codec/DefaultImage.h"
#include "editor/codec/ImageCodec.h"
#include "editor/codec/SaveChangeList.h"
#include "editor/codec/ToneRecordCodec.h"
#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <algorithm>
#include <sstream>

namespace vt {

std::unique_ptr<LoadedTables> LoadTablesFrom(const std::filesystem::path& folder) {
    auto t = std::make_unique<LoadedTables>();
    LoadedTables* raw = t.get();
    t->conv.Folder = folder;
    t->conv.ShowMessage = [raw](const std::string& m) { raw->messages.push_back(m); };
    t->conv.InitTblErrMsgs();
    t->conv.LoadDefaultTbl(t->tables.DefaultImage);
    t->conv.LoadEncTbl();
    t->conv.LoadDecTbl();
    t->conv.LoadDcsTbl();
    t->conv.LoadDevTbl();
    t->conv.LoadPwrTbl();
    t->conv.LoadVoltageTbls();
    t->voltage.Folder = folder;
    for (auto& m : t->voltage.LoadVoltageTables()) t->messages.push_back(m);
    t->tables.Conv = &t->conv;
    t->tables.Voltage = &t->voltage;
    return t;
}

std::unique_ptr<EditorData> DecodeIntoNewData(const ImageArray& image, const CodecTables& tables, ImageSource source,
                                              std::vector<ImageRepair>* repairs) {
    auto d = std::make_unique<EditorData>();
    ResetDataSet(*d);
    if (tables.Voltage) d->VolTables = *tables.Voltage;
    d->MemImage = image;
    DecodeResult done = DecodeImage(image, tables, source, *d);
    if (repairs) *repairs = std::move(done.repairs);
    return d;
}

namespace {

struct Diff {
    size_t max;
    std::vector<std::string> lines;
    void Check(const std::string& what, const std::string& got, const std::string& want) {
        if (got != want && lines.size() < max) lines.push_back(what + ": \"" + got + "\" != \"" + want + "\"");
    }
    void Check(const std::string& what, long long got, long long want) {
        Check(what, std::to_string(got), std::to_string(want));
    }
};

} // namespace

std::string DataSetDifference(const EditorData& got, const EditorData& want, size_t maxLines) {
    Diff d{maxLines, {}};
    d.Check("radio options", got.RadioOption(), want.RadioOption());
    d.Check("5-tone settings", got.FiveToneInfo(), want.FiveToneInfo());
    d.Check("FARMCALL/MARNET", got.FarmMarnetInfo(), want.FarmMarnetInfo());
    for (int a = 1; a <= kMaxAreas; ++a)
        d.Check("area name " + std::to_string(a), got.AreaNames()[a], want.AreaNames()[a]);
    d.Check("setup byte 0x3C00", got.Setup3C00, want.Setup3C00);
    d.Check("setup byte 0x3C01", got.Setup3C01, want.Setup3C01);
    d.Check("setup byte 0x3C02", got.Setup3C02, want.Setup3C02);
    d.Check("band", got.BandIndex, want.BandIndex);
    d.Check("grid rows", got.MFG.Rows(), want.MFG.Rows());
    const int rows = std::min(got.MFG.Rows(), want.MFG.Rows());
    for (int r = 1; r < rows; ++r)
        for (int c = 0; c < kGridCols; ++c)
            d.Check("cell (" + std::to_string(r) + ", " + std::to_string(c) + ")", got.MFG.TextMatrix(r, c),
                    want.MFG.TextMatrix(r, c));
    for (int n = 1; n <= kToneLines; ++n) {
        d.Check("5-tone line " + std::to_string(n), got.FiveToneChannels()[n], want.FiveToneChannels()[n]);
        for (int k = 1; k <= kSpecialFields; ++k)
            d.Check("special call " + std::to_string(n) + " field " + std::to_string(k),
                    got.SpecialData()[n][k], want.SpecialData()[n][k]);
    }
    std::string out;
    for (const auto& l : d.lines) out += (out.empty() ? "" : "\n") + l;
    return out;
}

bool CheckImageFixedPoint(const uint8_t* data, size_t size, const CodecTables& tables, std::string* why) {
    if (size != kImageSize && size != kImageSize - 1) return true;
    ImageArray image{};
    std::copy_n(data, size, image.begin());
    // Only a data file carries the byte after the radio's 16,000.
    const ImageSource source = size == kImageSize ? ImageSource::File : ImageSource::Radio;
    auto once = DecodeIntoNewData(image, tables, source);
    EncodeResult second = EncodeImage(*once, tables, source);
    if (!second.ok()) {
        if (why) *why = "the decoded data set does not encode:\n" + ErrorListText(second.errors);
        return false;
    }
    std::vector<ImageRepair> repairs;
    auto twice = DecodeIntoNewData(second.image, tables, source, &repairs);
    std::string diff = DataSetDifference(*twice, *once);
    if (!diff.empty()) {
        if (why) *why = "a second round changes the data set:\n" + diff;
        return false;
    }
    if (!repairs.empty()) {
        if (why) *why = "the saved data set still needs replacements:\n" + RepairListText(repairs, "", "row").substr(1);
        return false;
    }
    return true;
}

bool CheckImageFixedPoint(const uint8_t* data, size_t size, std::string* why) {
    static const std::unique_ptr<LoadedTables> shipped = LoadTablesFrom({});
    return CheckImageFixedPoint(data, size, shipped->tables, why);
}

} // namespace vt
