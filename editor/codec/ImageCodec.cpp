#include "editor/codec/ImageCodec.h"

#include "editor/codec/AreaNameCodec.h"
#include "editor/codec/ChannelCodec.h"
#include "editor/codec/OptionAreaCodec.h"
#include "editor/codec/SaveChangeList.h"
#include "editor/codec/ToneRecordCodec.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"

#include <utility>
#include "editor/dataset/DataTexts.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

namespace vt {

namespace {

template <size_t N>
std::vector<std::string> AsVector(const std::array<std::string, N>& a) {
    return std::vector<std::string>(a.begin(), a.end());
}

} // namespace

EncodeResult EncodeImage(const EditorData& d, const CodecTables& tables, ImageSource source) {
    EncodeResult out;
    out.image = tables.DefaultImage;
    EncodeContext c(d, tables, out.image);
    // Their messages were shown as they were read; nothing goes to a file or the radio without them.
    if (!tables.Missing.empty()) {
        for (TableSlot slot : tables.Missing) c.w.Fail(FieldText(d.Lang, DataField::Tables), 0, TableErrorText(kTableNames[slot]));
        out.errors = c.w.TakeErrors();
        return out;
    }
    if (!c.f.SplitOptions(d.RadioOption())) {
        c.w.Fail(FieldText(d.Lang, DataField::RadioOptions), 0,
                 DataText(d.Lang, DataMsg::OptionCount, {IntText(kOptionFieldCount)}));
        out.errors = c.w.TakeErrors();
        return out;
    }
    c.f.SplitToneSettings(d.FiveToneInfo());
    c.f.SplitFarmSettings(d.FarmMarnetInfo());
    c.f.ScanAreaPriority(d.MFG);
    EncodeOptionArea(c);
    EncodeKeyTable(c);
    EncodeChannelFlags(c);
    EncodeToneSetByte(c);
    EncodeEmergencyTable(c);
    EncodeAreaNames(c);
    EncodeChannelRecords(c);
    EncodeToneRecords(c);
    if (source == ImageSource::File) EncodeIdSuffix(c);
    EncodeManualSetup(c);
    out.errors = c.w.TakeErrors();
    out.warnings = c.w.TakeWarnings();
    return out;
}

DecodeResult DecodeImage(const ImageArray& image, const CodecTables& tables, ImageSource source, EditorData& d) {
    DataSetReplacement replacing(d);
    DecodeContext c(d, tables, image);
    DecodeResult out;
    // Fields the image does not carry start from the data set the caller has just reset.
    if (!c.f.SplitOptions(d.RadioOption())) c.f.SplitOptions(kDefaultRadioOption);
    c.f.SplitToneSettings(d.FiveToneInfo());
    c.f.SplitFarmSettings(d.FarmMarnetInfo());

    DecodeOptionArea(c);
    DecodeKeyTable(c);
    DecodeEmergencyTable(c);
    DecodeAreaNames(c);
    if (source == ImageSource::File) DecodeIdSuffix(c);
    d.SetRadioOption(JoinFields(AsVector(c.f.OptionFields)));
    d.SetFarmMarnetInfo(JoinFields(AsVector(c.f.FarmFields)));
    d.SetFiveToneInfo(JoinFields(AsVector(c.f.ToneFields)));

    {
        // A decode is no edit: its grid writes are quiet.
        GridBatch batch(d);
        if (d.MFG.Cols() < kGridCols) d.SetGridCols(kGridCols, RecordWrite::Quiet);
        if (d.MFG.Rows() < kMaxChannels + 2) d.SetGridRows(kMaxChannels + 2, RecordWrite::Quiet);
        DecodeSignalFlagColumns(c);
        DecodeToneColumns(c);
        DecodeFrequencyColumns(c);
        ClearFrequenciesBeyondTheGrid(c);
        ChannelFrequencyRepairs frequencies(c);
        // The band of the power bytes first; channel frequencies, where there are any, decide.
        if (auto guess = BandFromPowerBytes(c)) {
            SetBand(d, guess->band);
            out.band = guess->band;
            if (!guess->doubtful.empty()) {
                c.guessedBand = guess->band;
                c.doubtfulPowerSlots = guess->doubtful;
                c.bandGuessText =
                    DataText(d.Lang, DataMsg::BandGuess, {IntText(guess->held), IntText(guess->slots)});
            }
        }
        if (ChooseBand(d)) {
            SetBand(d, d.BandIndex);
            out.band = d.BandIndex;
        }
        out.repairs = frequencies.AfterBand();
        DecodeFlagColumns(c);
        DecodeNameColumns(c);
        FinishGrid(c);
    }
    DecodeToneRecords(c);
    DecodeManualSetup(c);
    for (auto& r : RepairDecodedData(c)) out.repairs.push_back(std::move(r));
    ListSettingsBytes(c, source == ImageSource::File, out.repairs);
    return out;
}

CodecTables LoadCodecTables(ConversionTables& conv, const VoltageTables& voltage, TablesFor use) {
    CodecTables tables;
    tables.Conv = &conv;
    tables.Voltage = &voltage;
    if (use == TablesFor::Encode) conv.InitTblErrMsgs();
    auto note = [&tables](bool loaded, TableSlot slot) {
        if (!loaded) tables.Missing.push_back(slot);
    };
    note(conv.LoadDefaultTbl(tables.DefaultImage), DefaultTblSlot);
    note(conv.LoadEncTbl(), EncTblSlot);
    note(conv.LoadDecTbl(), DecTblSlot);
    note(conv.LoadDcsTbl(), DcsTblSlot);
    note(conv.LoadDevTbl(), DevTblSlot); // a decode reads CT DEV back through the deviation entries
    if (use == TablesFor::Encode) conv.LoadVoltageTbls();
    note(conv.LoadPwrTbl(), PwrTblSlot);
    return tables;
}

std::string ErrorListText(const std::vector<ImageError>& errors) {
    std::string s;
    for (const auto& e : errors) s += (s.empty() ? "" : "\n") + e.message;
    return s;
}

} // namespace vt
