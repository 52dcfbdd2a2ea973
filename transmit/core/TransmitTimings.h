#pragma once
// The waits of the handshake and of the transfer threads. The radio gives no sign of being ready,
// so these are what radios in the field are known to work with; shorter ones are untried.
#include <chrono>

namespace vt {

// The supervision's tick: progress, the call and the stall limits are counted in these.
inline constexpr std::chrono::milliseconds kSupervisionTick{1000};

// After the radio's reply to a read call: it is given time to get ready for the read command.
inline constexpr std::chrono::milliseconds kReadReplyPause{1000};
// Between entering the transfer state and the read command. The line must stay quiet through it:
// a radio that answered waits silent for its command.
inline constexpr std::chrono::milliseconds kReadCommandPause{200};
// After the radio's reply to a write call: a radio about to be written needs longer.
inline constexpr std::chrono::milliseconds kWriteReplyPause{2000};
// The last part of that pause, through which the line must stay quiet, as before a read command.
inline constexpr std::chrono::milliseconds kReplyQuiet{200};
// After the write command, before the receive queue is purged and the first image byte goes out:
// the radio gets this long to get ready (it has always had it), and what it still sends about the
// handshake must have arrived, or it could pass for the echo of image byte 0.
inline constexpr std::chrono::milliseconds kWritePurgePause{100};
// After every command byte: the radio takes them one at a time.
inline constexpr std::chrono::milliseconds kCommandBytePause{10};
// After the first image byte's echo: a radio that echoes twice sends its second echo at once, so a
// line quiet for this long means one echo a byte. Waited once, on the first byte only.
inline constexpr std::chrono::milliseconds kSecondEchoWait{100};

} // namespace vt
