#pragma once
// The special calls as one table: per call kind the digits its record sends and where it keeps
// its station ID. The encoder packs and codes an ID where its kind's row says and the decoder
// reads it back through the same row, so the two cannot disagree about where a kind keeps it.
#include "editor/codec/ImageLayout.h"
#include "editor/image/SettingsFieldNames.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vt::special {

// Order of the packed codes (the mode of ToneStringToCodes): the filler code before the ID, after
// it, or no filler and six ID characters.
enum class Pack : int { FillerFirst = 0, FillerLast = 1, NoFiller = 2 };

// Nibble of the packed bytes that holds the ID's first character.
constexpr size_t FirstNibble(Pack p) { return p == Pack::FillerFirst ? 1 : 0; }

// How the ID's characters are coded once more, a byte each, besides the packed nibbles.
enum class Coded : uint8_t {
    No,
    Digit,    // ToneDigitToCode
    ToneChar, // ToneCharToCode with the line's tone set, mode 1; 0 past the ID's end
};

struct Kind {
    std::string_view code; // SpecialData field kSpecKind
    uint8_t digits = 0;    // the count byte's low bits: the nibbles the call sends from tone::Digits on
    size_t packedAt = 0;   // first of tone::PackedIdSize bytes of packed codes; 0: the kind has no ID
    Pack pack = Pack::FillerLast;
    uint8_t filler = 0;
    size_t idSize = 0;      // characters of the ID
    bool onlyWhole = false; // packed, and read from the nibbles, only while the ID has idSize characters
    Coded coded = Coded::No;
    size_t codesAt = 0; // first of idSize code bytes
};

namespace t = layout::tone;

inline constexpr std::array kKinds{
    Kind{kKindCodeFetch, 6, t::PackedId, Pack::FillerFirst, 14, 5, false, Coded::Digit, t::IdDigitCodes},
    Kind{kKindAlarm, 8, t::AlarmPackedId, Pack::FillerLast, 7, 5, true, Coded::Digit, t::IdDigitCodes},
    Kind{kKindPanic, 8, t::AlarmPackedId, Pack::FillerLast, 5, 5, true, Coded::Digit, t::IdDigitCodes},
    Kind{kKindEmergency, 4},
    Kind{kKindNetwork, 5, t::PackedId, Pack::FillerLast, 0, 5, true},
    Kind{kKindReply, 5, t::PackedId, Pack::FillerLast, 0, 5, true, Coded::ToneChar, t::Codes},
    // Only a call to another user: a typed call counts its own digits. The decoder reads this ID
    // as the call's digits, which start at the same byte.
    Kind{kKindPlain, 5, t::PackedId, Pack::FillerLast, 0, 5, true},
    Kind{kKindFarmcall, 6, t::PackedId, Pack::NoFiller, 0, 6, true},
    Kind{kKindMessage, 0},
};
static_assert(kKinds[6].code == kKindPlain && kKinds[6].packedAt == t::Digits);

// The row of a kind code; nothing for a code no special call has.
constexpr const Kind* FindKind(std::string_view code) {
    for (const Kind& k : kKinds)
        if (k.code == code) return &k;
    return nullptr;
}

} // namespace vt::special
