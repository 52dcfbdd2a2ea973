#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageLayout.h"
#include "editor/codec/OptionAreaCodec.h"

#include "common/TextUtil.h"

namespace vt {

namespace {

constexpr int kHighestDigitCode = 'z' - 48;

std::string Bit(int value, int mask) { return (value & mask) ? "1" : "0"; }

struct Out {
    DecodeContext& c;
    std::string& O(int n) { return c.f.OptionFields[static_cast<size_t>(n)]; }
    std::string& T(int n) { return c.f.ToneFields[static_cast<size_t>(n)]; }
    std::string& F(int n) { return c.f.FarmFields[static_cast<size_t>(n)]; }
    int B(size_t off) const { return c.At(off); }
};

// A list index read from the image, or the field's default when it lies outside the list.
std::string IndexOr(int value, int count, const char* fallback) {
    return value >= 0 && value < count ? IntText(value) : fallback;
}

void DecodeShape(Out& o) {
    int areas = o.B(0x09), per = o.B(0x06);
    // A shape the grid cannot hold falls back to one area of 200 channels.
    if (areas < 1 || areas > 10 || per < 1 || per > 200 / areas) {
        areas = 1;
        per = 200;
    }
    o.O(0) = IntText(areas);
    o.O(1) = IntText(per);
    o.O(35) = IndexOr(o.B(0x03), 16, "1");
    // The default channel is counted through all areas.
    o.O(36) = IndexOr(o.B(0x04) - 1, areas * per, "0");
    o.O(37) = IndexOr(o.B(0x05), 16, "12");
    o.O(38) = IndexOr(o.B(0x08) - 1, areas, "0");
}

void DecodeFlagBytes(Out& o) {
    int hi = HiNibble(static_cast<uint8_t>(o.B(0x02))), lo = LoNibble(static_cast<uint8_t>(o.B(0x02)));
    o.T(2) = Bit(hi, 4);
    o.T(5) = Bit(hi, 2);
    o.T(3) = Bit(hi, 1);
    o.O(31) = Bit(lo, 8);
    o.O(4) = Bit(lo, 4);
    o.O(3) = Bit(lo, 2);
    o.O(2) = Bit(lo, 1);
    int b = o.B(0x1A);
    hi = b >> 4;
    lo = b & 0x0F;
    o.O(24) = Bit(lo, 1);
    o.O(25) = Bit(lo, 2);
    o.O(26) = Bit(lo, 4);
    o.O(27) = Bit(lo, 8);
    o.O(28) = Bit(hi, 1);
    o.O(29) = Bit(hi, 4);
    o.O(30) = Bit(hi, 8);
    b = o.B(0x25);
    hi = b >> 4;
    lo = b & 0x0F;
    o.F(8) = Bit(hi, 4);
    o.O(34) = (hi & 8) ? "LOW" : "HIGH";
    o.O(7) = Bit(lo, 8);
    o.O(32) = Bit(lo, 4);
}

void DecodeTimes(Out& o) {
    o.O(6) = NumText(o.B(0x0A) / 10.0);
    o.O(5) = IntText(o.B(0x0B) * 10);
    o.O(10) = IntText(o.B(0x15) * 10);
    o.O(11) = IntText(o.B(0x16) * 10);
    o.O(9) = IntText(o.B(0x17));
    o.O(13) = IntText(o.B(0x18));
    o.O(12) = IntText(o.B(0x19) * 100);
    o.O(8) = IntText(o.B(0x1C) * 10);
    o.T(4) = IntText(o.B(0x1B));
    o.O(33) = o.B(0x6F) == 0xEC ? "VOLUME" : "CHANNEL";
}

std::string ToneSetIndex(int code) {
    switch (code) {
    case 0x0A: return "0";
    case 0x42: return "1";
    case 0x22: return "2";
    case 0x1E: return "3";
    case 0x9A: return "4";
    case 0x84: return "5";
    default: return "0";
    }
}

// Own ID from its digit codes. An empty ID is stored as length 1 over the default image's digit
// byte, which holds a value no character produces (above 74).
void DecodeOwnId(Out& o) {
    int n = std::min(o.B(0x68), 5);
    const bool extend = o.T(1) == "0";
    std::string id;
    for (int i = 1; i <= n; ++i) {
        int b = o.B(0x61 + static_cast<size_t>(i));
        if (!extend && b == 14) id += "R";
        else if (!extend && b == 10) id += "G";
        else if (extend && b == 10) id += "R";
        else if (extend && b == 15) id += "G";
        else id += b + 48 < 255 && b + 48 != '|' ? ByteChar(static_cast<uint8_t>(b + 48)) : "0";
    }
    if (n == 1 && o.B(0x62) > kHighestDigitCode) id.clear();
    o.T(0) = id;
}

void DecodeFarm(Out& o) {
    o.F(9) = SecondFrequencyText(256 * o.B(0x1F) + o.B(0x1E));
    o.F(1) = cv::CodesToToneString({static_cast<uint8_t>(o.B(0x20)), static_cast<uint8_t>(o.B(0x21)),
                                    static_cast<uint8_t>(o.B(0x22))});
    o.F(3) = IntText(o.B(0x50));
    o.F(0) = o.B(0x50) != 0 ? "1" : "0";
    o.F(7) = IntText(o.B(0x51));
    o.F(5) = o.B(0x51) != 0 ? "1" : "0";
    o.F(6) = cv::BytesToToneString(static_cast<uint8_t>(o.B(0x83)), static_cast<uint8_t>(o.B(0x84)),
                                   static_cast<uint8_t>(o.B(0x85)), 14);
}

} // namespace

std::string SecondFrequencyText(int word) { return word == 0 ? std::string() : NumText(word * 0.0125 + 10.7); }

void DecodeOptionArea(DecodeContext& c) {
    Out o{c};
    DecodeShape(o);
    DecodeFlagBytes(o);
    DecodeTimes(o);
    o.T(1) = ToneSetIndex(o.B(0x14));
    DecodeOwnId(o);
    DecodeFarm(o);
}

void DecodeKeyTable(DecodeContext& c) {
    Out o{c};
    const size_t k0 = layout::kKeyTable;
    o.O(22) = o.B(k0) == 3 ? "0" : "1";
    o.O(23) = IntText(o.B(k0 + 1));
    // Bit 5 of byte 0x1A records an ACS key, which shares its code with TRUNK.
    const bool acs = (o.B(0x1A) & 0x20) != 0;
    for (int k = 0; k < 4; ++k) {
        size_t at = k0 + 2 + 2 * static_cast<size_t>(k);
        auto code = static_cast<uint8_t>(o.B(at)), param = static_cast<uint8_t>(o.B(at + 1));
        int index = cv::KeyFuncIndexFromCode(code, param);
        if (index == 4 && acs) index = 5;
        o.O(14 + 2 * k) = IntText(index);
        o.O(15 + 2 * k) = IntText(cv::ClampLevel(param));
    }
}

void DecodeIdSuffix(DecodeContext& c) {
    uint8_t a = c.At(layout::kIdSuffix + 3), b = c.At(layout::kIdSuffix + 4);
    if (a != 0 && b != 0) c.f.FarmFields[2] = FieldText(ByteChar(a) + ByteChar(b));
}

void DecodeManualSetup(DecodeContext& c) {
    c.d.ManualSetupFlag = 1;
    c.d.Setup3C00 = c.At(layout::kManualSetup);
    c.d.Setup3C01 = c.At(layout::kManualSetup + 1);
    c.d.Setup3C02 = c.At(layout::kManualSetup + 2);
}

} // namespace vt
