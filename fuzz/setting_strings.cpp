// The text records behind the settings dialogs, as a data set may hold them: the option record,
// the 5-tone settings, the FARMCALL/MARNET record, the 100 list lines and their special-call
// fields. Input lines in that order (a list line, then its special fields joined by "|").
// Parsing must be lossless, the dialogs' checks must not fault, the 5-tone dialog opened and
// confirmed twice must not keep changing the records, and a save must either report its errors
// or give an image that opens to a data set a second save and open keep as it is.
#include "fuzz/FuzzSupport.h"

#include "common/TextUtil.h"
#include "editor/settings/core/FarmMarnetSettings.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/core/RadioOptionRecord.h"
#include "editor/settings/core/SpecialCall.h"

using namespace vt;

namespace {

void ToneDialogTwice(const EditorData& d) {
    auto a = fuzz::NewDataSet();
    a->SetRadioOption(d.RadioOption());
    a->SetFiveToneInfo(d.FiveToneInfo());
    for (int n = 1; n <= kToneLines; ++n) {
        a->SetFiveToneLine(n, d.FiveToneChannels()[static_cast<size_t>(n)]);
        a->SetSpecialLine(n, d.SpecialData()[static_cast<size_t>(n)]);
    }
    a->SetFarmMarnetInfo(d.FarmMarnetInfo());
    FiveToneList first;
    first.Load(*a);
    first.Store(*a);
    const std::string info = a->FiveToneInfo();
    const auto lines = a->FiveToneChannels();
    FiveToneList second;
    second.Load(*a);
    second.Store(*a);
    if (a->FiveToneInfo() != info)
        fuzz::Fail("a second OK of the 5-tone dialog changed its settings", info + "\n" + a->FiveToneInfo());
    for (int n = 1; n <= kToneLines; ++n)
        if (a->FiveToneChannels()[n] != lines[n])
            fuzz::Fail("a second OK of the 5-tone dialog changed line " + std::to_string(n),
                       lines[n] + "\n" + a->FiveToneChannels()[n]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    auto d = fuzz::NewDataSet();
    d->SetRadioOption(in.Line());
    if (!in.Empty()) d->SetFiveToneInfo(in.Line());
    if (!in.Empty()) d->SetFarmMarnetInfo(in.Line());
    for (int n = 1; n <= kToneLines && !in.Empty(); ++n) {
        d->SetFiveToneLine(n, in.Line());
        auto fields = Split(in.Line());
        for (int k = 1; k <= kSpecialFields; ++k)
            d->SetSpecialField(
                n, k, k <= static_cast<int>(fields.size()) ? fields[static_cast<size_t>(k - 1)] : "");
    }

    if (auto r = RadioOptionRecord::Parse(d->RadioOption())) {
        if (r->Join() != d->RadioOption())
            fuzz::Fail("the option record does not join back", d->RadioOption());
        for (int f = 0; f < kOptionFieldCount; ++f) {
            (void)FieldValid(*r, f);
            (void)CheckRange((*r)[f], OptionSpec(f).min, OptionSpec(f).max);
            (void)CanonicalNumber((*r)[f]);
        }
        (void)ChannelsFitGrid(*r);
        (void)ForceScanExclusive(*r);
        (void)TrunkModesExclusive(*r);
        (void)CarriedDefaultIndex((*r)[kOptDefaultChannel], r->ChannelsPerArea());
    }
    if (auto s = FarmMarnetSettings::Parse(d->FarmMarnetInfo())) {
        // The three switches come back as "1" or "0", the fields of a switched-off FARMCALL or
        // MARNET group empty (the image cannot keep them), every other field as it stood.
        const auto given = Split(d->FarmMarnetInfo()), joined = Split(s->Join());
        for (size_t k = 0; k < given.size(); ++k) {
            const bool flag = k == 0 || k == 5 || k == 8;
            const bool off = (k >= 1 && k <= 4 && given[0] != "1") || ((k == 6 || k == 7) && given[5] != "1");
            const std::string want = flag ? (given[k] == "1" ? "1" : "0") : off ? "" : given[k];
            if (joined.size() != given.size() || joined[k] != want)
                fuzz::Fail("the FARMCALL/MARNET record does not join back",
                           d->FarmMarnetInfo() + "\n" + s->Join());
        }
        for (auto [box, text] : {std::pair{kGroupIdBox, s->groupId}, {kPositionBox, s->position},
                                 {kFarmChannelBox, s->farmChannel}, {kFarmFreqBox, s->farmFreq},
                                 {kMarnetIdBox, s->marnetId}, {kMaxChannelsBox, s->maxChannels}, {kSecFreqBox, s->secFreq}})
            (void)CheckFarmBox(box, text, *d);
        (void)FarmMessageEntry(CheckFarmSettings(*s, *d));
    }
    for (int n = 1; n <= kToneLines; ++n)
        for (int k = 1; k <= kSpecialFields; ++k) {
            std::string f = d->SpecialData()[n][k];
            (void)CheckID(f);
            (void)CheckOtherId(f);
            (void)TwoDigits(f);
            (void)IsToneString(f);
        }
    ToneDialogTwice(*d);

    const auto& shipped = fuzz::ShippedTables();
    EncodeResult r = EncodeImage(*d, shipped.tables, ImageSource::File);
    if (!r.ok()) {
        (void)ErrorListText(r.errors);
        return 0;
    }
    auto once = DecodeIntoNewData(r.image, shipped.tables, ImageSource::File);
    fuzz::CheckFixedPoint(*once, shipped.tables, ImageSource::File, "saved settings");
    return 0;
}
