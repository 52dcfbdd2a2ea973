#pragma once
// Field numbers of the three "|"-joined settings records: the radio options, the 5-tone
// settings and the FARMCALL/MARNET settings, and of the 5-tone list lines and their special
// calls. The codec, the cores and the dialogs index the split fields with these names.

#include <array>
#include <string_view>

namespace vt {

// Radio option fields, named after the control of the options dialog that edits them.
enum OptionField : int {
    kOptNumberArea = 0,
    kOptChInArea = 1,
    kOptFSon = 2,
    kOptFSoff = 3,
    kOptAScan = 4,
    kOptScanTCh = 5,
    kOptResumeSTime = 6,
    kOptBeep = 7,
    kOptCallPtime = 8,
    kOptPTTTimeout = 9,
    kOptPTTLANI = 10,
    kOptWaitAnswer = 11,
    kOptRepeater = 12,
    kOptRound = 13,
    kOptComboF1 = 14,
    kOptTxtF1 = 15,
    kOptComboF2 = 16,
    kOptTxtF2 = 17,
    kOptComboF3 = 18,
    kOptTxtF3 = 19,
    kOptComboF4 = 20,
    kOptTxtF4 = 21,
    kOptComboFunction = 22,
    kOptTxtFunction = 23,
    kOptMutechange = 24,
    kOptAreachange = 25,
    kOptVolumechange = 26,
    kOptCallselect = 27,
    kOptChannelchange = 28,
    kOptNuisancedelete = 29,
    kOptMonitorkey = 30,
    kOptUselast = 31,
    kOpt5Toneauto = 32,
    kOptHeadDial = 33,
    kOptCTsen = 34,
    kOptVolume = 35,
    kOptDefaultChannel = 36,
    kOptMuteChange = 37,
    kOptDefaultArea = 38,
};

// 5-tone settings fields.
enum ToneField : int {
    kToneOwnId = 0,
    kToneSetIndex = 1, // index into the tone-set list
    kTonePgCall = 2,
    kToneHooker = 3,
    kToneBlow = 4,
    kToneSpeaker = 5,
};

// FARMCALL/MARNET settings fields.
enum FarmField : int {
    kFarmOn = 0,
    kFarmGroupId = 1,
    kFarmPosition = 2,
    kFarmChannel = 3,
    kFarmFrequency = 4,
    kMarnetOn = 5,
    kMarnetId = 6,
    kMarnetMaxChannels = 7,
    kSecondRxOn = 8,
    kSecondRxFrequency = 9,
};

// Items of the four function-key lists (kOptComboF1..F4): the option record stores the index.
enum KeyFunction : int {
    kKeyMenu = 0,
    kKeyEmergency = 1,
    kKeySelectCall = 2,
    kKeyCall = 3,
    kKeyTrunk = 4,
    kKeyAcs = 5,
    kKeyFree = 6,
    kKeyNone = 7,
};

// Fields of a 5-tone list line ("|"-joined, six fields), as the list's columns show them.
enum ToneLineField : int {
    kLineText = 0,      // the call as the list shows it ("CALL 12345", "ROBOT ...")
    kLineStandard = 1,  // tone standard name ("ZVEI1")
    kLineIdent = 2,     // identification text
    kLineChannel = 3,   // channel number or "CURRENT"
    kLineTries = 4,
    kLineEmergency = 5, // emergency number 1..10, or empty
};
inline constexpr int kToneLineFields = 6;

// Fields 1..10 of a line's special-call record; 3 to 6 are not used.
enum SpecialField : int {
    kSpecKind = 1,      // the radio's call kind code ("0" plain, "1" code fetch, "15" message ...)
    kSpecOtherUser = 2, // "8" on a kind "0" call to another user (a typed call otherwise)
    kSpecChannel = 7,   // the other user's channel
    kSpecLevel = 8,     // pin level of a code fetch, or message number
    kSpecNumber = 9,    // PIN, alarm number, own-ID part or the other user's name
    kSpecId = 10,       // station or network ID, the message text, or the emergency channel
};

// A code fetch's pin levels (kSpecLevel), in the order of the special-call dialog's list, and
// its highest PIN (kSpecNumber).
inline constexpr std::array<const char*, 3> kPinLevels = {"HIGH", "LOW", "TOGG"};
inline constexpr int kMaxPin = 8;

// Call kind codes as kSpecKind holds them.
inline constexpr const char* kKindPlain = "0";     // a typed call, or a call to another user without reply
inline constexpr const char* kKindCodeFetch = "1"; // remote code request, or alarm query
inline constexpr const char* kKindPanic = "2";     // remote panic call
inline constexpr const char* kKindAlarm = "3";     // remote alarm instruction
inline constexpr const char* kKindEmergency = "5";
inline constexpr const char* kKindFarmcall = "6";
inline constexpr const char* kKindReply = "8";    // a call to another user that waits for its reply
inline constexpr const char* kKindNetwork = "10"; // MARNET network call, as on the base line
inline constexpr const char* kKindMessage = "15"; // received message
// kSpecOtherUser of a kind "0" call to another user.
inline constexpr const char* kOtherUserMark = "8";

} // namespace vt
