#pragma once
// The option area as one table: per row the settings field, the byte that holds it, its bits and
// how its text becomes the byte and back. The encoder and the decoder both walk the rows in this
// order (the encoder's order, which is also the order of its error messages). Rows of kind Step
// name the few fields whose coding spans several bytes or depends on other fields.
#include "editor/codec/ImageLayout.h"
#include "editor/image/SettingsFieldNames.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vt::optarea {

// Which split settings record a row's field belongs to.
enum class Record : uint8_t { None, Option, Tone, Farm };

enum class Coding : uint8_t {
    Fixed,  // the encoder sets the whole byte to `value` before the bit rows that follow; not read
    Bit,    // "0"/"1" check box in the bit `mask`
    Choice, // item text: `on` while the bits of `mask` equal `value`, else `off`
    Whole,  // whole number stored divided by `scale` (rounded down), read back multiplied by it
    Tenths, // number with one decimal, stored times ten
    Level,  // list index 0..15 while the check box `aux` is "0", else the byte `value`; a byte
            // outside the list reads back as `value`
    Count,  // whole number, written only when the text is numeric; the field `aux` reads back as
            // "1" when the byte is not 0
    Step,   // the named step `step`
};

enum class Step : uint8_t {
    None,
    DefaultChannel, // counted through all areas, from 1; kept while the channel may change
    Shape,          // areas and channels per area, checked against each other
    DefaultArea,    // from 1; written only for several areas that may not change
    OwnId,          // length, radio tone codes and digit codes
    ToneSet,        // tone-set code and list number
    AcsKey,         // set when a key carries ACS; read back by the key table
    SecondReceiver, // frequency word, written only while the second receiver is on
    GroupId,        // three digit codes with repeat codes
    Priorities,     // priority channel of every area, read back by the grid
    PackedId,       // MARNET ID, or the own ID's digit codes, two a byte
    Copies,         // copies of the group ID, second-receiver word, tone-set number and ID length
    Label,          // the display label behind the area
};

struct Row {
    Record record = Record::None;
    int field = 0;
    size_t offset = 0;
    Coding coding = Coding::Fixed;
    uint8_t mask = 0xFF;
    int value = 0;
    int scale = 1;
    int aux = 0;
    const char* on = "";    // Choice: the item stored as `value`
    const char* off = "";   // Choice: the item stored as 0
    bool otherIsOn = false; // Choice: text that is neither item is stored as `on`
    Step step = Step::None;
};

constexpr Row Fixed(size_t offset, uint8_t value) {
    return {.offset = offset, .coding = Coding::Fixed, .value = value};
}
constexpr Row Bit(Record r, int field, size_t offset, uint8_t mask) {
    return {.record = r, .field = field, .offset = offset, .coding = Coding::Bit, .mask = mask};
}
constexpr Row Choice(OptionField field, size_t offset, uint8_t mask, uint8_t value, const char* on,
                     const char* off, bool otherIsOn) {
    return {.record = Record::Option,
            .field = field,
            .offset = offset,
            .coding = Coding::Choice,
            .mask = mask,
            .value = value,
            .on = on,
            .off = off,
            .otherIsOn = otherIsOn};
}
constexpr Row Whole(Record r, int field, size_t offset, int scale = 1) {
    return {.record = r, .field = field, .offset = offset, .coding = Coding::Whole, .scale = scale};
}
constexpr Row Tenths(OptionField field, size_t offset) {
    return {.record = Record::Option, .field = field, .offset = offset, .coding = Coding::Tenths};
}
constexpr Row Level(OptionField field, size_t offset, OptionField lock, uint8_t locked) {
    return {.record = Record::Option,
            .field = field,
            .offset = offset,
            .coding = Coding::Level,
            .value = locked,
            .aux = lock};
}
constexpr Row Count(FarmField field, size_t offset, FarmField on) {
    return {.record = Record::Farm, .field = field, .offset = offset, .coding = Coding::Count, .aux = on};
}
constexpr Row Special(Step step, Record r = Record::None, int field = 0, size_t offset = 0) {
    return {.record = r, .field = field, .offset = offset, .coding = Coding::Step, .step = step};
}

// Fixed volume and mute levels: items "1" to "16", stored as the index.
inline constexpr int kLevelCount = kOptionLevelCount;

using R = Record;
namespace o = layout::opt;

inline constexpr std::array kRows{
    Fixed(o::Switches, 0),
    Bit(R::Tone, kTonePgCall, o::Switches, o::PgCallBit),
    Bit(R::Tone, kToneSpeaker, o::Switches, o::SpeakerBit),
    Bit(R::Tone, kToneHooker, o::Switches, o::HookerBit),
    Bit(R::Option, kOptUselast, o::Switches, o::UseLastBit),
    Bit(R::Option, kOptAScan, o::Switches, o::AllowScanBit),
    Bit(R::Option, kOptFSoff, o::Switches, o::ForceScanOffBit),
    Bit(R::Option, kOptFSon, o::Switches, o::ForceScanOnBit),
    Level(kOptVolume, o::VolumeLevel, kOptVolumechange, 1),
    Special(Step::DefaultChannel, R::Option, kOptDefaultChannel, o::DefaultChannel),
    Level(kOptMuteChange, o::MuteLevel, kOptMutechange, 12),
    Special(Step::Shape, R::Option, kOptNumberArea, o::Areas),
    Special(Step::DefaultArea, R::Option, kOptDefaultArea, o::DefaultArea),
    Tenths(kOptResumeSTime, o::ResumeScanTime),
    Whole(R::Option, kOptScanTCh, o::ScanTime, 10),
    Special(Step::OwnId, R::Tone, kToneOwnId),
    Special(Step::ToneSet, R::Tone, kToneSetIndex),
    Whole(R::Option, kOptPTTLANI, o::PttLeadingAni, 10),
    Whole(R::Option, kOptWaitAnswer, o::WaitAnswer, 10),
    Whole(R::Option, kOptPTTTimeout, o::PttTimeout),
    Whole(R::Option, kOptRound, o::SearchRound),
    Whole(R::Option, kOptRepeater, o::RepeaterAccess, 100),
    Fixed(o::Permissions, 0),
    Bit(R::Option, kOptMutechange, o::Permissions, o::AllowMuteBit),
    Bit(R::Option, kOptAreachange, o::Permissions, o::AllowAreaBit),
    Bit(R::Option, kOptVolumechange, o::Permissions, o::AllowVolumeBit),
    Bit(R::Option, kOptCallselect, o::Permissions, o::AllowCallSelectBit),
    Bit(R::Option, kOptChannelchange, o::Permissions, o::AllowChannelBit),
    Special(Step::AcsKey, R::None, 0, o::Permissions),
    Bit(R::Option, kOptNuisancedelete, o::Permissions, o::AllowNuisanceBit),
    Bit(R::Option, kOptMonitorkey, o::Permissions, o::AllowMonitorBit),
    Whole(R::Tone, kToneBlow, o::Blow),
    Whole(R::Option, kOptCallPtime, o::CallPreamble, 10),
    Special(Step::SecondReceiver, R::Farm, kSecondRxFrequency),
    Special(Step::GroupId, R::Farm, kFarmGroupId, o::GroupId),
    Fixed(o::Signalling, o::SignallingFixedBits),
    Bit(R::Option, kOptBeep, o::Signalling, o::BeepBit),
    Bit(R::Option, kOpt5Toneauto, o::Signalling, o::ToneMuteAutoBit),
    Choice(kOptCTsen, o::Signalling, o::CtcssLowBit, o::CtcssLowBit, "LOW", "HIGH", true),
    Bit(R::Farm, kSecondRxOn, o::Signalling, o::SecondRxBit),
    Special(Step::Priorities, R::None, 0, o::PriorityChannels),
    Count(kFarmChannel, o::FarmChannel, kFarmOn),
    Count(kMarnetMaxChannels, o::MarnetMaxChannels, kMarnetOn),
    Special(Step::PackedId, R::Farm, kMarnetId, o::PackedId),
    Special(Step::Copies),
    Choice(kOptHeadDial, o::HeadDial, 0xFF, o::HeadDialVolume, "VOLUME", "CHANNEL", false),
    Special(Step::Label, R::None, 0, layout::kDisplayLabel),
};

// Tone digit code of a repeated digit ("R").
inline constexpr uint8_t kRepeatCode = 14;

// Tone-set code of the option area, by tone-set list index.
inline constexpr std::array<uint8_t, 6> kToneSetCodes{0x0A, 0x42, 0x22, 0x1E, 0x9A, 0x84};

// Key-table code of the alarm input's first choice, EMERGENCY (the key-function code of
// EMERGENCY); the second choice, SELECT CALL, is stored as 0.
inline constexpr uint8_t kAlarmEmergencyCode = 3;

// The function and number fields of the four programmable keys, in key-table order.
struct KeyFields {
    OptionField function;
    OptionField number;
};
// The key function CALL stores no number (it shares its code with SELECT CALL, told apart by 0).
inline constexpr int kCallKeyFunction = kKeyCall;
inline constexpr std::array<KeyFields, 4> kKeys{
    {{kOptComboF1, kOptTxtF1}, {kOptComboF2, kOptTxtF2}, {kOptComboF3, kOptTxtF3}, {kOptComboF4, kOptTxtF4}}};

} // namespace vt::optarea
