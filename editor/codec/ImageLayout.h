#pragma once
// Where each region of the radio memory image lies (indices into MemImage).
#include "editor/image/GridShape.h"

#include <cstddef>

namespace vt::layout {

inline constexpr size_t kOptionArea = 0x02;
inline constexpr size_t kDisplayLabel = 0x90;
inline constexpr size_t kDisplayLabelSize = 16;
inline constexpr size_t kToneRecords = 0xA0;
inline constexpr size_t kToneRecordSize = 32;
inline constexpr size_t kToneSetByte = 0x0D21;
inline constexpr size_t kEmergencyTable = 0x0E90;
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

// Offsets inside a channel record.
namespace ch {
inline constexpr size_t SlotMark = 0x00;
inline constexpr size_t SignalFlags = 0x01;
inline constexpr size_t EncodeCode = 0x02;
inline constexpr size_t DecodeCode = 0x04;
inline constexpr size_t EncodeDeviation = 0x06;
inline constexpr size_t DevByte = 0x09;
inline constexpr size_t DcsDecodeBytes = 0x0A;
inline constexpr size_t RxPllWord = 0x0D;
inline constexpr size_t TxPllWord = 0x0F;
inline constexpr size_t TxVoltageByte = 0x11;
inline constexpr size_t RxVoltageByte = 0x12;
inline constexpr size_t PowerByte = 0x13;
inline constexpr size_t Name1 = 0x14;
inline constexpr size_t Name1Size = 8;
inline constexpr size_t Name2 = 0x1C;
inline constexpr size_t Name2Size = 16;
inline constexpr size_t SelCallNumber = 0x2C;
} // namespace ch

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

} // namespace vt::layout
