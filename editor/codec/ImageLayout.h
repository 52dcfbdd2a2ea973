#pragma once
// Where each region of the radio memory image lies (indices into MemImage).
#include "editor/image/GridShape.h"
#include "editor/image/ToneLists.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vt::layout {

inline constexpr size_t kOptionArea = 0x02;
inline constexpr size_t kDisplayLabel = 0x90;
inline constexpr size_t kDisplayLabelSize = 16;
inline constexpr size_t kToneRecords = 0xA0;
inline constexpr size_t kToneRecordSize = 32;
inline constexpr size_t kToneSetByte = 0x0D21;
inline constexpr size_t kEmergencyTable = 0x0E90;
inline constexpr size_t kEmergencyEntrySize = 2;
inline constexpr int kEmergencyEntries = 10; // emergency numbers 1 to 10
inline constexpr size_t kEmergencyTableSize = kEmergencyEntries * kEmergencyEntrySize;
inline constexpr size_t kAreaNameTable = 0x1380;
inline constexpr size_t kAreaNameSlot = 24;
inline constexpr size_t kAreaNameRead = 16; // the decoder reads only this much of a slot
inline constexpr size_t kKeyTable = 0x14F6;
inline constexpr size_t kChannelFlagTable = 0x1500;
inline constexpr size_t kSecondReceiverFlag = 0x15C8;
inline constexpr size_t kChannelRecords = 0x1600;
inline constexpr size_t kChannelRecordSize = 48;
inline constexpr size_t kSecondReceiverRecord = 0x3B80;
inline constexpr size_t kIdSuffix = 0x3BB0;
inline constexpr size_t kManualSetup = 0x3C00;

inline constexpr int kChannelSlots = kMaxChannels; // one slot per channel row of the grid
inline constexpr int kSecondReceiverSlot = kChannelSlots + 1;

// Bytes of the option area (image indices, from kOptionArea on) and the bits of its flag bytes.
namespace opt {
inline constexpr size_t Switches = 0x02;
inline constexpr uint8_t PgCallBit = 0x40, SpeakerBit = 0x20, HookerBit = 0x10, UseLastBit = 0x08,
                         AllowScanBit = 0x04, ForceScanOffBit = 0x02, ForceScanOnBit = 0x01;
inline constexpr size_t VolumeLevel = 0x03;    // fixed level, list index
inline constexpr size_t DefaultChannel = 0x04; // counted through all areas, from 1
inline constexpr size_t MuteLevel = 0x05;      // fixed level, list index
inline constexpr size_t ChannelsPerArea = 0x06;
inline constexpr size_t DefaultArea = 0x08; // from 1
inline constexpr size_t Areas = 0x09;
inline constexpr size_t ResumeScanTime = 0x0A; // tenths
inline constexpr size_t ScanTime = 0x0B;       // tens
inline constexpr size_t OwnIdLength = 0x0D;
inline constexpr size_t OwnIdTones = 0x0E; // radio tone codes
inline constexpr size_t OwnIdSize = 5;     // characters, in both own-ID codings
inline constexpr size_t ToneSetCode = 0x14;
inline constexpr size_t PttLeadingAni = 0x15; // tens
inline constexpr size_t WaitAnswer = 0x16;    // tens
inline constexpr size_t PttTimeout = 0x17;
inline constexpr size_t SearchRound = 0x18;
inline constexpr size_t RepeaterAccess = 0x19; // hundreds
inline constexpr size_t Permissions = 0x1A;
inline constexpr uint8_t AllowMuteBit = 0x01, AllowAreaBit = 0x02, AllowVolumeBit = 0x04, AllowCallSelectBit = 0x08,
                         AllowChannelBit = 0x10, AcsKeyBit = 0x20, AllowNuisanceBit = 0x40, AllowMonitorBit = 0x80;
inline constexpr size_t Blow = 0x1B;
inline constexpr size_t CallPreamble = 0x1C; // tens
inline constexpr size_t SecondRxWordLow = 0x1E;
inline constexpr size_t SecondRxWordHigh = 0x1F;
inline constexpr size_t GroupId = 0x20; // one tone digit code a byte
inline constexpr size_t GroupIdSize = 3;
inline constexpr size_t Signalling = 0x25;
inline constexpr uint8_t SignallingFixedBits = 0x30, CtcssLowBit = 0x80, SecondRxBit = 0x40, BeepBit = 0x08,
                         ToneMuteAutoBit = 0x04;
inline constexpr size_t PriorityChannels = 0x28; // areas 1 to 10, channel within the area
inline constexpr size_t FarmChannel = 0x50;
inline constexpr size_t MarnetMaxChannels = 0x51;
inline constexpr size_t OwnIdDigits = 0x62; // tone digit codes
inline constexpr size_t ToneSetNumber = 0x67; // list index + 1
inline constexpr size_t OwnIdCount = 0x68;
inline constexpr size_t GroupIdCopy = 0x69;  // then the second-receiver word, low byte first
inline constexpr size_t HeadDial = 0x6F;
inline constexpr uint8_t HeadDialVolume = 0xEC;
inline constexpr size_t ToneSetNumberCopy = 0x81;
inline constexpr size_t OwnIdCountCopy = 0x82;
inline constexpr size_t PackedId = 0x83; // two digits a byte, the first in the low nibble
inline constexpr size_t PackedIdSize = 3;
static_assert(Switches == kOptionArea && PackedId + PackedIdSize <= kDisplayLabel);

inline constexpr size_t PriorityChannel(int area) { return PriorityChannels + static_cast<size_t>(area - 1); }
} // namespace opt

// Offsets inside the key table: the alarm input, then four keys of a function code and a number.
namespace key {
inline constexpr size_t AlarmFunction = 0x00;
inline constexpr size_t AlarmNumber = 0x01;
inline constexpr size_t Keys = 0x02;
inline constexpr size_t KeySize = 2;
inline constexpr size_t KeyNumber = 0x01; // inside a key, after its function code
inline constexpr size_t Key(size_t k) { return Keys + k * KeySize; }
} // namespace key

// Offsets inside the ID suffix: a fixed "ID:" and two position characters.
namespace suffix {
inline constexpr size_t Tag = 0x00;
inline constexpr size_t TagSize = 3;
inline constexpr size_t Position = 0x03;
inline constexpr size_t PositionSize = 2;
} // namespace suffix

// Offsets inside a channel record, the values its signalling bytes take, and the bits of a
// slot's byte in the channel flag table.
namespace ch {
inline constexpr size_t SlotMark = 0x00;
inline constexpr uint8_t SlotMarked = 0xAA; // a slot ahead of its area's last used channel
inline constexpr size_t SignalFlags = 0x01;
// Bits of SignalFlags: the 5-tone response letters, the high-tone bit and the ANI letters.
// UnusedSignalBit is never set: the repairs clear it.
inline constexpr uint8_t FiveToneMBit = 0x80, FiveTonePBit = 0x40, HighToneBit = 0x20, UnusedSignalBit = 0x10,
                         FiveToneABit = 0x08, AniOBit = 0x04, AniTBit = 0x02, AniLBit = 0x01;
inline constexpr uint8_t FiveToneBits = FiveToneMBit | FiveTonePBit | FiveToneABit;
inline constexpr uint8_t AniBits = AniOBit | AniTBit | AniLBit;
// The high-tone bit marks a CTCSS encode tone of this many tenths of a hertz or more; the
// decoder picks the upper half of the encode table with it.
inline constexpr int HighToneTenths = kCtcssHighFirstTenths;
inline constexpr size_t EncodeCode = 0x02; // a CTCSS tone's code word, or DcsEncodeMarker
inline constexpr size_t DecodeCode = 0x04; // a CTCSS tone's code word, or DcsDecodeMarker
inline constexpr size_t CodeSize = 2;
inline constexpr std::array<uint8_t, CodeSize> DcsEncodeMarker{0xF8, 0xE2}, DcsDecodeMarker{0xEA, 0xFE};
inline constexpr size_t EncodeDeviation = 0x06; // a CTCSS tone's deviation entry, or the DCS code's entry
inline constexpr size_t DevByte = 0x09;         // a DCS tone's deviation
inline constexpr size_t DcsDecodeBytes = 0x0A;
inline constexpr size_t EntrySize = 3;    // of EncodeDeviation and DcsDecodeBytes
inline constexpr size_t RxPllWord = 0x0D; // low byte first, as TxPllWord
inline constexpr size_t TxPllWord = 0x0F;
inline constexpr size_t PllWordSize = 2;
inline constexpr size_t TxVoltageByte = 0x11;
inline constexpr size_t RxVoltageByte = 0x12;
inline constexpr size_t PowerByte = 0x13;
inline constexpr size_t Name1 = 0x14;
inline constexpr size_t Name1Size = 8;
inline constexpr size_t Name2 = 0x1C;
inline constexpr size_t Name2Size = 16;
inline constexpr size_t SelCallNumber = 0x2C;
static_assert(EncodeCode + CodeSize == DecodeCode && DecodeCode + CodeSize == EncodeDeviation &&
              EncodeDeviation + EntrySize == DevByte && DcsDecodeBytes + EntrySize == RxPllWord &&
              RxPllWord + PllWordSize == TxPllWord && TxPllWord + PllWordSize == TxVoltageByte &&
              SelCallNumber < kChannelRecordSize);

// Bits of a slot's byte in the channel flag table: TrunkBit is the SCAN column's "T" or "A",
// ScanBit its "S"; its "P" has no bit (the option area's priority bytes carry it). The others
// tell which tones the record holds. UnusedFlagBit is never set: the repairs clear it.
inline constexpr uint8_t UnusedFlagBit = 0x80, TrunkBit = 0x40, BclBit = 0x20, DcsEncodeBit = 0x10,
                         DcsDecodeBit = 0x08, CtcssEncodeBit = 0x04, CtcssDecodeBit = 0x02, ScanBit = 0x01;
} // namespace ch

// Offsets inside a 5-tone record, and the bits of its kind and count bytes.
namespace tone {
inline constexpr size_t Channel = 0x00;      // channel slot, 0 for the current channel
inline constexpr size_t KindStandard = 0x01; // call kind high, tone standard code low
inline constexpr int KindShift = 4;
inline constexpr int MaxKind = 0x0F; // also stored for a line without a kind
inline constexpr uint8_t StandardMask = 0x0F;
inline constexpr size_t TriesCount = 0x02; // tries in the top three bits, a digit count below
inline constexpr int TriesShift = 5;
inline constexpr uint8_t TriesMask = 0xE0;
inline constexpr uint8_t CountMask = 0x1F; // the digits the call sends from Digits on
inline constexpr size_t Digits = 0x03;     // two a byte, the first in the low nibble
inline constexpr size_t DigitsSize = 11;
inline constexpr size_t Parameter = 0x0E;
inline constexpr uint8_t NumberMark = 0x80; // the parameter holds a number below the mark
inline constexpr size_t Closing = 0x0F;     // special calls only
inline constexpr size_t Identification = 0x10;
inline constexpr size_t IdentificationSize = 16;

// The special calls' bytes from the digits to the closing byte. Most kinds send a code sequence
// after their digits: its length at CodeCount, the codes from Codes on.
inline constexpr size_t SpecialFirst = Digits;
inline constexpr size_t SpecialLast = Closing;
inline constexpr size_t PackedId = Digits; // six 4-bit codes, two a byte, the first low
inline constexpr size_t PackedIdSize = 3;
inline constexpr size_t AlarmStep = Digits; // alarm and panic: step code of the number, the ID after it
inline constexpr size_t AlarmPackedId = AlarmStep + 1;
inline constexpr size_t EmergencyOwnId = Digits; // three decimal digits, two a byte, then a mark
inline constexpr size_t EmergencyOwnIdDigits = 3;
inline constexpr size_t EmergencyOwnIdSize = 2;
inline constexpr uint8_t EmergencyOwnIdMark = 0x0A; // the nibble after the third digit
inline constexpr size_t IdPadding = PackedId + PackedIdSize; // the digit byte after an ID packed from Digits
inline constexpr size_t CodeCount = 0x07;
inline constexpr size_t Codes = 0x08;
inline constexpr size_t CodesSize = 6;
inline constexpr size_t IdDigitCodes = Codes + 1; // after the lead code of a code fetch, alarm or panic
inline constexpr int PinShift = 4;                // code fetch: PIN high, level low in the parameter
inline constexpr uint8_t LevelMask = 0x0F;
static_assert(Digits + DigitsSize == Parameter && IdPadding + 1 == CodeCount && Codes + CodesSize == Parameter &&
              Identification + IdentificationSize == kToneRecordSize);
} // namespace tone

// Offsets inside an entry of the emergency table.
namespace emergency {
inline constexpr size_t Line = 0x00; // list line whose emergency number this is, 0 for none
inline constexpr size_t Used = 0x01; // UsedMark, else the tone-set byte
inline constexpr uint8_t UsedMark = 1;
} // namespace emergency

// Slot 1..200 are the channels, 201 the second receiver.
inline constexpr size_t ChannelSlot(int slot) {
    return slot == kSecondReceiverSlot ? kSecondReceiverRecord
                                       : kChannelRecords + static_cast<size_t>(slot - 1) * kChannelRecordSize;
}
inline constexpr size_t ChannelFlag(int slot) {
    return slot == kSecondReceiverSlot ? kSecondReceiverFlag : kChannelFlagTable + static_cast<size_t>(slot - 1);
}
inline constexpr size_t ToneRecord(int line) {
    return kToneRecords + static_cast<size_t>(line - 1) * kToneRecordSize;
}
// Entry of emergency number 1..10.
inline constexpr size_t EmergencyEntry(int number) {
    return kEmergencyTable + static_cast<size_t>(number - 1) * kEmergencyEntrySize;
}

} // namespace vt::layout
