// One damaged byte in a valid image: whatever the open replaces is listed, and nothing else
// changes. For a damaged image x, d = decode(x) and y = encode(d), the comparison is:
//  - it covers the bits the encoder derives from d (those that come out the same whether the
//    encode starts from the default image or from its complement) and the damaged byte itself;
//  - each of those bits of y equals x's, except in a byte whose field the repairs list.
// Left out, as marks the encoder derives and no value of their own: the voltage bytes (from the
// frequencies and this installation's voltage tables), the slot marks (from the used rows), the
// high-tone bit of a row without a CTCSS encode tone (from the rows above) and the ID suffix's
// tag. The bytes swept are those that carry a value in the valid image; the values tried per
// byte are a fixed sample, split between the two sets of tables (the low, fifth and top bit
// flipped, the extremes, a neighbour and a spread of others); VELTRA_SWEEP_ALL=1 tries all 256.
#include "codec/helpers/CodecFixture.h"
#include "codec/helpers/RandomDataSet.h"

#include "editor/codec/ChannelCodec.h"
#include "editor/codec/ImageFixedPoint.h"
#include "editor/codec/ImageLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace vt::test {
namespace {

using Mask = ImageArray;

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// What one byte of the image carries, for the coverage test and for grouping the findings.
struct ByteOwner {
    std::string name;                // for the report
    int row = 0;                     // grid row of a channel byte
    std::vector<std::string> fields; // repair fields that account for a change (exact, or as prefix + " ")
    bool anySetting = false;         // option area and the like: any setting named without a row
    bool skip = false;               // derived bytes
};

ByteOwner OwnerOf(size_t i, int rows) {
    namespace ch = layout::ch;
    ByteOwner o;
    auto slotRow = [&](int slot) { return slot == layout::kSecondReceiverSlot ? rows - 1 : slot; };
    if (i >= layout::kChannelFlagTable && i <= layout::kSecondReceiverFlag) {
        int slot = static_cast<int>(i - layout::kChannelFlagTable) + 1;
        o.row = slotRow(slot);
        o.name = "channel flags";
        o.fields = {"CTCSS ENC", "CTCSS DEC", "DCS ENC", "DCS DEC", "BCL", "SCAN", "Channel flags"};
        return o;
    }
    if (i >= layout::kChannelRecords && i < layout::kSecondReceiverRecord + layout::kChannelRecordSize) {
        int slot = static_cast<int>((i - layout::kChannelRecords) / layout::kChannelRecordSize) + 1;
        size_t off = (i - layout::kChannelRecords) % layout::kChannelRecordSize;
        o.row = slotRow(slot);
        auto set = [&](const char* name, std::vector<std::string> fields) {
            o.name = name;
            o.fields = std::move(fields);
        };
        if (off == ch::SlotMark || off == ch::TxVoltageByte || off == ch::RxVoltageByte) o.skip = true;
        else if (off == ch::SignalFlags) set("signal flags", {"5Tone Resp", "ANI", "CTCSS ENC", "Channel flags"});
        else if (off < ch::DecodeCode) set("encode code", {"CTCSS ENC", "DCS ENC"});
        else if (off < ch::EncodeDeviation) set("decode code", {"CTCSS DEC", "DCS DEC"});
        else if (off < ch::DevByte) set("encode deviation", {"CTCSS ENC", "DCS ENC", "CT DEV"});
        else if (off == ch::DevByte) set("DCS deviation byte", {"CT DEV"});
        else if (off < ch::RxPllWord) set("DCS decode bytes", {"DCS DEC"});
        else if (off < ch::TxPllWord) set("Rx word", {"Rx Freq"});
        else if (off < ch::TxVoltageByte) set("Tx word", {"Tx Freq"});
        else if (off == ch::PowerByte) set("power byte", {"Power"});
        else if (off < ch::Name2) set("name 1", {"ID line1."});
        else if (off < ch::SelCallNumber) set("name 2", {"ID line2."});
        else set("Sel Call byte", {"Sel Call"});
        return o;
    }
    if (i >= layout::kToneRecords && i < layout::kToneRecords + kToneLines * layout::kToneRecordSize) {
        int n = static_cast<int>((i - layout::kToneRecords) / layout::kToneRecordSize) + 1;
        o.name = "5-tone record +" + std::to_string((i - layout::kToneRecords) % layout::kToneRecordSize);
        o.fields = {"5-tone line " + std::to_string(n)};
        return o;
    }
    if (i >= layout::kEmergencyTable && i < layout::kEmergencyTable + layout::kEmergencyTableSize) {
        o.name = "emergency table";
        o.fields = {"5-tone line"};
        o.anySetting = true;
        return o;
    }
    if (i >= layout::kAreaNameTable && i < layout::kAreaNameTable + kMaxAreas * layout::kAreaNameSlot) {
        o.name = "area name";
        o.fields = {"Name of area " + std::to_string((i - layout::kAreaNameTable) / layout::kAreaNameSlot + 1)};
        return o;
    }
    if (i >= layout::kIdSuffix && i < layout::kIdSuffix + layout::suffix::TagSize) o.skip = true;
    char hex[16];
    std::snprintf(hex, sizeof hex, "byte 0x%04zX", i);
    o.name = hex;
    o.anySetting = true;
    return o;
}

bool Covered(const ByteOwner& o, const std::vector<ImageRepair>& repairs) {
    for (const auto& r : repairs) {
        if (o.anySetting && r.row == 0 && !StartsWith(r.field, "5-tone line") && !StartsWith(r.field, "Name of area"))
            return true;
        if (r.row != o.row) continue;
        for (const auto& f : o.fields)
            if (r.field == f || StartsWith(r.field, f + " ")) return true;
    }
    return false;
}

class DamageSweep : public ::testing::Test {
protected:
    // The bits the encoder derives from the data set.
    static Mask Written(const EditorData& d, const CodecTables& tables) {
        CodecTables inverse = tables;
        for (auto& b : inverse.DefaultImage) b = static_cast<uint8_t>(~b);
        ImageArray a = EncodeImage(d, tables, ImageSource::File).image;
        ImageArray b = EncodeImage(d, inverse, ImageSource::File).image;
        Mask m;
        for (size_t i = 0; i < kImageSize; ++i) m[i] = static_cast<uint8_t>(~(a[i] ^ b[i]));
        return m;
    }

    // A small valid data set: a few channel rows and 5-tone lines, so that each byte of every
    // kind of field is swept in seconds.
    static std::unique_ptr<EditorData> SmallDataSet() {
        for (unsigned seed = 1;; ++seed) {
            RandomCase c = MakeRandomDataSet(seed);
            if (c.input->MFG.Rows() > 9 || c.input->MFG.Rows() < 6) continue;
            for (int n = 11; n <= kToneLines; ++n) { // cleared, as the 5-tone dialog's Clear leaves them
                c.input->SetFiveToneLine(n, "");
                c.input->SetSpecialLine(n, SpecialLine{});
            }
            return std::move(c.input);
        }
    }

    struct Finding {
        size_t count = 0;
        std::string first;
    };

    using Values = std::vector<int (*)(int b, size_t p)>;

    void Sweep(const CodecTables& tables, const std::string& what, const Values& sample) {
        const bool all = std::getenv("VELTRA_SWEEP_ALL") != nullptr;
        EncodeResult base = EncodeImage(*SmallDataSet(), tables, ImageSource::File);
        ASSERT_TRUE(base.ok()) << ErrorListText(base.errors);
        const ImageArray& valid = base.image;
        std::vector<ImageRepair> repairs;
        auto opened = DecodeIntoNewData(valid, tables, ImageSource::File, &repairs);
        ASSERT_TRUE(repairs.empty()) << RepairListText(repairs, what, "row");
        const Mask carried = Written(*opened, tables);
        std::map<std::string, Finding> findings;
        size_t images = 0;
        for (size_t p = 0; p < kImageSize; ++p) {
            if (carried[p] == 0) continue;
            const int rows = opened->MFG.Rows();
            if (OwnerOf(p, rows).skip) continue;
            const uint8_t b = valid[p];
            for (int k = 0; k < (all ? 256 : static_cast<int>(sample.size())); ++k) {
                const int v = (all ? k : sample[static_cast<size_t>(k)](b, p)) & 0xFF;
                if (v == b) continue;
                ImageArray x = valid;
                x[p] = static_cast<uint8_t>(v);
                ++images;
                auto d = DecodeIntoNewData(x, tables, ImageSource::File, &repairs);
                EncodeResult y = EncodeImage(*d, tables, ImageSource::File);
                ASSERT_TRUE(y.ok()) << what << " byte " << p << " = " << v << ": " << ErrorListText(y.errors);
                const Mask m = Written(*d, tables);
                for (size_t i = 0; i < kImageSize; ++i) {
                    uint8_t bits = i == p ? 0xFF : m[i];
                    if (((x[i] ^ y.image[i]) & bits) == 0) continue;
                    const ByteOwner o = OwnerOf(i, d->MFG.Rows());
                    if (o.name == "signal flags" && d->MFG.TextMatrix(o.row, ColCtcssEnc).empty()) bits &= 0xDF;
                    if (((x[i] ^ y.image[i]) & bits) == 0 || o.skip || Covered(o, repairs)) continue;
                    auto& f = findings[o.name];
                    if (f.count++ == 0) {
                        char line[160];
                        std::snprintf(line, sizeof line, "byte 0x%04zX set to %d: byte 0x%04zX (row %d) 0x%02X -> 0x%02X", p, v,
                                      i, o.row, x[i], y.image[i]);
                        f.first = line + RepairListText(repairs, "; listed:", "row", 4, "more");
                    }
                }
            }
        }
        EXPECT_GT(images, 2000u) << "the valid image carries too few values to sweep";
        for (const auto& [name, f] : findings)
            ADD_FAILURE() << what << ": " << f.count << " unlisted changes of " << name << " in " << images
                          << " images, first: " << f.first;
    }
};

TEST_F(DamageSweep, ShippedTables) {
    auto shipped = LoadTablesFrom(VELTRA_APP_DIR);
    ASSERT_TRUE(shipped->messages.empty()) << shipped->messages.front();
    Sweep(shipped->tables, "shipped tables",
          {[](int b, size_t) { return b ^ 0x01; }, [](int b, size_t) { return b ^ 0x10; }, [](int, size_t) { return 0x00; },
           [](int, size_t) { return 0xFF; }});
}

TEST_F(DamageSweep, SyntheticTables) {
    CodecFixture fx;
    Sweep(fx.tables, "synthetic tables", {[](int b, size_t) { return b ^ 0x80; }, [](int b, size_t) { return b + 1; },
                                         [](int b, size_t p) { return b * 37 + static_cast<int>(p); }});
}

} // namespace
} // namespace vt::test
