#pragma once
// Special calls on a 5-tone list line: the checks of the special-call dialog and the record
// that its OK writes into SpecialData, the list line and (for an emergency) the channel grid.
#include "editor/image/CallTexts.h"
#include "editor/image/SettingsFieldNames.h"

#include <array>
#include <string>
#include <string_view>

namespace vt {

struct EditorData;
class FiveToneList;

// Call types in the order of the dialog's type list.
enum SpecialType : int {
    kCodeRequest = 0,
    kAlarmQuery,
    kAlarmInstruction,
    kPanicCall,
    kEmergency,
    kNetworkCall,
    kOtherUser,
    kReceivedMessage,
};
inline constexpr int kSpecialTypeCount = 8;

inline constexpr int kMaxAlarmNumber = 15;
inline constexpr int kMaxMessageNumber = 99;
inline constexpr int kSpecialTextLimit = 16;

// What the dialog holds; the defaults are those it opens with.
struct SpecialCallEntry {
    int type = kCodeRequest;
    std::string line = "1"; // list line 1..100
    std::string ownId;      // the 5-tone dialog's own ID box
    std::string outstation = "12345", pin = "1", pinLevel = "HIGH";
    std::string query = "12345";
    std::string id3 = "12345", alarmNo = "1";
    std::string id4 = "12345", panicNo = "1";
    std::string emergencyChannel{kCurrentChannel};
    std::string marnetId;
    std::string otherId = "12345", person, channel2{kCurrentChannel};
    bool decReply = false, preMessage = false;
    std::string msgNum = "1";
    std::string message;
};

// Problems, numbered as the dialog's messages; kBadChoice has none (the lists cannot give it).
enum SpecialProblem : int {
    kSpecialOk = 0,
    kOtherIdNotDigits = 1,
    kOwnIdNoEmergency = 2,
    kIdBadChar = 3,
    kIdBadLength = 4,
    kTextHasBar = 5,
    kIdGroupMark = 6,
    kTextNotStorable = 7,
    kBadChoice = 8,
};

struct SpecialCheck {
    int problem = kSpecialOk;
    const char* control = ""; // objectName of the box at fault
};

// A station or network ID: 5 characters of 0-9, A-F, a-f, "R" or "G".
int CheckID(const std::string& id);
// The check of the ID box with that objectName. The alarm, panic and network call IDs are
// sent in a form that has no code for the group mark "G", so those boxes refuse it.
int CheckIdBox(std::string_view control, const std::string& id);
// The other user's ID: exactly 5 decimal digits.
int CheckOtherId(const std::string& id);
// The emergency call names its line by the own ID's last two digits.
bool OwnIdAllowsEmergency(const std::string& ownId);
// Every box and list that the chosen type reads.
SpecialCheck CheckSpecialCall(const SpecialCallEntry& e);
// "5" -> "05"; a text that is not a number stays as it is.
std::string TwoDigits(const std::string& text);

// Installs the call when CheckSpecialCall passes; returns the problem otherwise, writing nothing.
int InstallSpecialCall(EditorData& d, FiveToneList& list, const SpecialCallEntry& e);

} // namespace vt
