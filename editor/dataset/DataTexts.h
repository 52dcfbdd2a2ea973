#pragma once
// Texts the data rules and the codec give the user beyond the windows' own: the encoder's
// messages, the decoder's list of replaced values and the names of the fields they speak of, in
// the language of the data set. They live in the language files (sections Fdata_Msg and
// Fdata_Field) with %1, %2, ... where the values go; a file that lacks one gives the built-in
// English text.
#include <initializer_list>
#include <string>
#include <string_view>

namespace vt {

class LanguageTexts;

// Entries of Fdata_Msg.
enum class DataMsg : int {
    RowWords = 1,       // " of channel row 5" after a field name
    NoByte,             // field, row words, value
    Unstorable,         // field, row words, text
    NotWhole,           // field, row words, text
    NotFlag,            // field, row words, text
    NotInRange,         // field, row words, text, lowest, highest
    TooLong,            // field, text, most characters
    NoSecondRxWord,     // field, text
    NotMarnetId,        // field, text
    TooManyDigits,      // 5-tone line, most digits
    IdentTooLong,       // 5-tone line, identification, most characters
    OptionCount,        // number of fields
    NoRxWord,           // field, row words, text
    NoTxWord,           // field, row words, text
    NotPower,           // field, row words, text, highest level
    RowNotStored,       // row
    PriorityNotStored,  // row
    NotTone,            // field, row words, text
    NotDcs,             // field, row words, text
    NotDcsDeviation,    // field, row words, text, the deviations
    NotDeviation,       // field, row words, text
    NotLevel,           // 5-tone line, level
    NotAlarmNumber,     // 5-tone line, number
    NotOwnIdPart,       // 5-tone line, digits
    CharRefused,        // field, character
    Byte,               // hexadecimal byte
    Bytes,              // hexadecimal bytes
    BitCleared,         // hexadecimal bit
    BandGuessed,        // what the image held
    BandGuess,          // power bytes found, power bytes
    DroppedRecord,      // a channel of a slot the layout drops
    DroppedTx,          // its Tx frequency
    DroppedRx,          // its Rx frequency
    Dropped,            // channels the options hold
    AsSaved,            // a value the save gives
    NotAListItem,       // field, value
};

// Entries of Fdata_Field that are no settings field.
enum class DataField : int {
    AreaName = 61,   // area number
    ToneLine,        // line number
    LinePart,        // 5-tone line, part
    LineChannel,
    LineKind,
    LineTries,
    LineIdent,
    LineEmergency,
    LineMessage,
    LinePin,
    LineStationId,
    LineOwnId,
    RecordByte,      // record, hexadecimal offset
    SettingsByte,    // hexadecimal address
    ChannelByte,     // hexadecimal offset
    ChannelFlags,
    Channel,
    Band,
    Tables,
    RadioOptions,
    PriorityChannel,
};

// The settings fields' entries: option field n at 1 + n, 5-tone setting n at 41 + n,
// FARMCALL/MARNET setting n at 51 + n.
inline constexpr int kOptionFieldTexts = 1, kToneFieldTexts = 41, kFarmFieldTexts = 51;

std::string DataText(const LanguageTexts& lang, DataMsg msg, std::initializer_list<std::string_view> values = {});
std::string FieldText(const LanguageTexts& lang, DataField name, std::initializer_list<std::string_view> values = {});
std::string OptionFieldText(const LanguageTexts& lang, int field);
std::string ToneFieldText(const LanguageTexts& lang, int field);
std::string FarmFieldText(const LanguageTexts& lang, int field);
// "5-tone line 12 channel": a part of a 5-tone line.
std::string ToneLinePartText(const LanguageTexts& lang, int line, DataField part);

} // namespace vt
