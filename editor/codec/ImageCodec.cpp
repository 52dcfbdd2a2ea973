#include "editor/codec/ImageCodec.h"

#include "editor/codec/AreaNameCodec.h"
#include "editor/codec/ChannelCodec.h"
#include "editor/codec/OptionAreaCodec.h"
#include "editor/codec/ToneRecordCodec.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"

#include <utility>
#include "editor/dataset/EditorData.h"
#include "editor/dataset/MainWindowApi.h"

namespace vt {

namespace {

template <size_t N>
std::vector<std::string> AsVector(const std::array<std::string, N>& a) {
    return std::vector<std::string>(a.begin(), a.end());
}

} // namespace

EncodeResult EncodeImage(const EditorData& d, const CodecTables& tables, int source) {
    EncodeResult out;
    out.image = tables.DefaultImage;
    EncodeContext c(d, tables, out.image);
    if (!c.f.SplitOptions(d.RadioOption)) {
        c.w.Fail("Radio options", 0, "The radio options do not hold 39 fields; open Radio Option and confirm it.");
        out.errors = c.w.TakeErrors();
        return out;
    }
    c.f.SplitToneSettings(d.FiveToneInfo);
    c.f.SplitFarmSettings(d.FarmMarnetInfo);
    c.f.ScanAreaPriority(d.MFG);
    EncodeOptionArea(c);
    EncodeKeyTable(c);
    EncodeChannelFlags(c);
    EncodeToneSetByte(c);
    EncodeEmergencyTable(c);
    EncodeAreaNames(c);
    EncodeChannelRecords(c);
    EncodeToneRecords(c);
    if (source == 1) EncodeIdSuffix(c);
    EncodeManualSetup(c);
    out.errors = c.w.TakeErrors();
    out.warnings = c.w.TakeWarnings();
    return out;
}

std::vector<ImageError> EncodeImage(EditorData& d, ConversionTables& conv, const VoltageTables* voltage, int source,
                                    std::vector<ImageError>* warnings) {
    CodecTables tables;
    tables.Conv = &conv;
    tables.Voltage = voltage ? voltage : &d.VolTables;
    conv.InitTblErrMsgs();
    conv.LoadDefaultTbl(tables.DefaultImage);
    conv.LoadEncTbl();
    conv.LoadDecTbl();
    conv.LoadDcsTbl();
    conv.LoadDevTbl();
    conv.LoadVoltageTbls();
    conv.LoadPwrTbl();
    EncodeResult r = EncodeImage(d, tables, source);
    if (r.ok()) d.MemImage = r.image;
    if (warnings) *warnings = r.ok() ? std::move(r.warnings) : std::vector<ImageError>{};
    return std::move(r.errors);
}

std::vector<ImageError> EncodeImage(EditorData& d, int source, std::vector<ImageError>* warnings) {
    return EncodeImage(d, d.Tables, &d.VolTables, source, warnings);
}

std::vector<ImageRepair> DecodeImage(MainWindowApi& w, int source) { return DecodeImage(w, w.Data().Tables, source); }

std::vector<ImageRepair> DecodeImage(MainWindowApi& w, const CodecTables& tables, int source) {
    DecodeContext c(w, tables);
    EditorData& d = c.d;
    std::vector<ImageRepair> repairs;
    // Fields the image does not carry start from the data set the caller has just reset.
    if (!c.f.SplitOptions(d.RadioOption)) c.f.SplitOptions(kDefaultRadioOption);
    c.f.SplitToneSettings(d.FiveToneInfo);
    c.f.SplitFarmSettings(d.FarmMarnetInfo);

    DecodeOptionArea(c);
    DecodeKeyTable(c);
    DecodeEmergencyTable(c);
    DecodeAreaNames(c);
    if (source == 1) DecodeIdSuffix(c);
    d.RadioOption = JoinFields(AsVector(c.f.OptionFields));
    d.FarmMarnetInfo = JoinFields(AsVector(c.f.FarmFields));
    d.FiveToneInfo = JoinFields(AsVector(c.f.ToneFields));

    {
        GridBatch batch(d.MFG);
        if (d.MFG.Cols() < kGridCols) d.MFG.SetCols(kGridCols);
        if (d.MFG.Rows() < kMaxChannels + 2) d.MFG.SetRows(kMaxChannels + 2);
        DecodeSignalFlagColumns(c);
        DecodeToneColumns(c);
        DecodeFrequencyColumns(c);
        ClearFrequenciesBeyondTheGrid(c);
        ChannelFrequencyRepairs frequencies(c);
        if (auto band = BandFromPowerBytes(c)) w.SetBand(*band);
        w.UpdateBand();
        repairs = frequencies.AfterBand();
        DecodeFlagColumns(c);
        DecodeNameColumns(c);
        FinishGrid(c);
    }
    DecodeToneRecords(c);
    DecodeManualSetup(c);
    for (auto& r : RepairDecodedData(c)) repairs.push_back(std::move(r));
    w.GridChanged();
    return repairs;
}

std::vector<ImageRepair> DecodeImage(MainWindowApi& w, ConversionTables& conv, int source) {
    CodecTables tables;
    tables.Conv = &conv;
    // What a save would store, for the fields that only some data sets store.
    conv.LoadDefaultTbl(tables.DefaultImage);
    conv.LoadEncTbl();
    conv.LoadDecTbl();
    conv.LoadDcsTbl();
    conv.LoadDevTbl(); // CT DEV is read back through the deviation entries
    conv.LoadPwrTbl();
    return DecodeImage(w, tables, source);
}

std::string ErrorListText(const std::vector<ImageError>& errors) {
    std::string s;
    for (const auto& e : errors) s += (s.empty() ? "" : "\n") + e.message;
    return s;
}

} // namespace vt
