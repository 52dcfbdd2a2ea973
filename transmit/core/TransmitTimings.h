#pragma once
// The waits of the handshake and of the transfer threads. The radio gives no sign of being ready,
// so these are what radios in the field are known to work with; shorter ones are untried.
#include <chrono>

namespace vt {

// The supervision's tick: progress, the call and the stall limits are counted in these.
inline constexpr std::chrono::milliseconds kSupervisionTick{1000};

// After the radio's reply to a read call: it is given time to get ready for the read command.
inline constexpr std::chrono::milliseconds kReadReplyPause{1000};
// Between entering the transfer state and the read command.
inline constexpr std::chrono::milliseconds kReadCommandPause{200};
// After the radio's reply to a write call: a radio about to be written needs longer.
inline constexpr std::chrono::milliseconds kWriteReplyPause{2000};
// After the write command, before the receive queue is purged: what the radio still sends about
// the handshake must have arrived, or it could pass for the echo of image byte 0.
inline constexpr std::chrono::milliseconds kWritePurgePause{100};
// After every command byte: the radio takes them one at a time.
inline constexpr std::chrono::milliseconds kCommandBytePause{10};
// A written image byte whose echo has neither come nor is queued on the port in this time is
// sent again.
inline constexpr std::chrono::milliseconds kEchoWait{100};
// After the last byte of a write that resent a byte: the least time the line must stay quiet
// before the write counts as done (an echo of the resend's first copy would show in it).
inline constexpr std::chrono::milliseconds kResendSettle{300};

} // namespace vt
