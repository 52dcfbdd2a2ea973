// Damage in a valid image: whatever the open replaces or drops is listed, and nothing else
// changes. For a damaged image x, d = decode(x) and y = encode(d), the comparison is:
//  - it covers the damaged bytes whole, the bits the encoder derives from d (those that come out
//    the same whether the encode starts from the default image or from its complement) and the
//    bits it derived from the valid image (a value the decode drops comes back as the default
//    image's);
//  - each of those bits of y equals x's, except in a byte whose field the repairs list: a 5-tone
//    record's bytes one by one, a channel's by its column (or the whole channel dropped).
// Left out, as marks the encoder derives and no value of their own: the voltage bytes (from the
// frequencies and this installation's voltage tables), the slot marks (from the used rows), the
// high-tone bit of a row without a CTCSS encode tone (from the rows above) and the ID suffix's
// tag. Three valid images are swept (channels in several areas with options and keys, a second
// with MARNET on, the third in another band; each with area names and 5-tone lines of every
// kind): every byte that carries a value in the image, with a fixed sample of values split
// between the two sets of tables (the low, fifth and top bit flipped, the extremes, a neighbour
// and a spread of others), and random damage to 2 to 8 such bytes at once. VELTRA_SWEEP_ALL=1
// tries all 256 values of every byte and 6,000 multi-byte images per image, on four threads:
// tens of minutes, so it is run by hand after a change to the codec, not in the unit run.
#include "codec/helpers/CodecFixture.h"
#include "codec/helpers/RandomDataSet.h"

#include "editor/codec/ChannelCodec.h"
#include "editor/codec/ImageFixedPoint.h"
#include "editor/codec/ImageLayout.h"
#include "editor/codec/SaveChangeList.h"
#include "common/TextUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

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
    bool exact = false;              // only a field named exactly accounts for a change
};

ByteOwner OwnerOf(size_t i, int rows) {
    namespace ch = layout::ch;
    ByteOwner o;
    auto slotRow = [&](int slot) { return slot == layout::kSecondReceiverSlot ? rows - 1 : slot; };
    if (i >= layout::kChannelFlagTable && i <= layout::kSecondReceiverFlag) {
        int slot = static_cast<int>(i - layout::kChannelFlagTable) + 1;
        o.row = slotRow(slot);
        o.name = "channel flags";
        o.fields = {"CTCSS ENC", "CTCSS DEC", "DCS ENC", "DCS DEC", "BCL", "SCAN", "Channel flags", "Channel"};
        return o;
    }
    if (i >= layout::kChannelRecords && i < layout::kSecondReceiverRecord + layout::kChannelRecordSize) {
        int slot = static_cast<int>((i - layout::kChannelRecords) / layout::kChannelRecordSize) + 1;
        size_t off = (i - layout::kChannelRecords) % layout::kChannelRecordSize;
        o.row = slotRow(slot);
        auto set = [&](const char* name, std::vector<std::string> fields) {
            o.name = name;
            o.fields = std::move(fields);
            o.fields.push_back("Channel"); // the whole channel dropped
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
        const size_t k = (i - layout::kToneRecords) % layout::kToneRecordSize;
        char byte[48];
        std::snprintf(byte, sizeof byte, "5-tone line %d byte +0x%02zX", n, k);
        o.name = "5-tone record +" + std::to_string(k);
        o.fields = {byte};
        if (k >= layout::tone::Identification) o.fields.push_back("5-tone line " + std::to_string(n) + " identification");
        o.exact = true;
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
            if (r.field == f || (!o.exact && StartsWith(r.field, f + " "))) return true;
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

    // A small valid data set of the seed's kind: a few channel rows, the 5-tone lines up to one
    // of each kind, names no longer than the decoder reads; so that each byte of every kind of
    // field is swept in seconds.
    static std::unique_ptr<EditorData> SmallDataSet(int kind) {
        for (unsigned seed = 1;; ++seed) {
            RandomCase c = MakeRandomDataSet(seed);
            EditorData& d = *c.input;
            const int rows = d.MFG.Rows();
            const std::string areas = Split(d.RadioOption())[0];
            const bool marnet = Split(d.FarmMarnetInfo())[5] == "1";
            const bool wanted = kind == 0   ? areas != "1" && !marnet && d.BandIndex < 2
                                : kind == 1 ? marnet
                                            : areas != "1" && d.BandIndex >= 2;
            if (rows > 12 || rows < 6 || !wanted || Trim(d.MFG.TextMatrix(1, 1)).empty()) continue;
            std::set<std::string> kinds;
            for (int n = 1; n <= kToneLines; ++n) { // cleared, as the 5-tone dialog's Clear leaves them
                const SpecialLine& sd = d.SpecialData()[n];
                if (kinds.insert(sd[1] + "/" + sd[2]).second) continue;
                d.SetFiveToneLine(n, "");
                d.SetSpecialLine(n, SpecialLine{});
            }
            if (kinds.size() < 10) continue;
            for (int a = 1; a <= kMaxAreas; ++a) d.SetAreaName(a, d.AreaNames()[a].substr(0, 16));
            return std::move(c.input);
        }
    }

    struct Finding {
        size_t count = 0;
        std::string first;
    };

    struct Image {
        ImageArray valid;
        Mask carried; // the bits the encoder derived from the valid data set
        std::vector<size_t> bytes; // those that carry a value
    };

    static Image Valid(int kind, const CodecTables& tables, const std::string& what) {
        EncodeResult base = EncodeImage(*SmallDataSet(kind), tables, ImageSource::File);
        EXPECT_TRUE(base.ok()) << ErrorListText(base.errors);
        Image im{base.image, {}, {}};
        std::vector<ImageRepair> repairs;
        auto opened = DecodeIntoNewData(im.valid, tables, ImageSource::File, &repairs);
        EXPECT_TRUE(repairs.empty()) << RepairListText(repairs, what, "row");
        im.carried = Written(*opened, tables);
        for (size_t p = 0; p < kImageSize; ++p)
            if (im.carried[p] != 0 && !OwnerOf(p, opened->MFG.Rows()).skip) im.bytes.push_back(p);
        return im;
    }

    // One damaged image: its unlisted changes into findings.
    static void Check(const Image& im, const ImageArray& x, const CodecTables& tables, const std::string& what,
                      const std::string& damage, std::map<std::string, Finding>& findings) {
        std::vector<ImageRepair> repairs;
        auto d = DecodeIntoNewData(x, tables, ImageSource::File, &repairs);
        EncodeResult y = EncodeImage(*d, tables, ImageSource::File);
        if (!y.ok()) {
            auto& f = findings["unsaveable"];
            if (f.count++ == 0) f.first = damage + ": " + ErrorListText(y.errors);
            return;
        }
        std::optional<Mask> m; // only wanted where a change is not listed
        for (size_t i = 0; i < kImageSize; ++i) {
            if (x[i] == y.image[i]) continue;
            const ByteOwner o = OwnerOf(i, d->MFG.Rows());
            if (o.skip || Covered(o, repairs)) continue;
            if (!m) m = Written(*d, tables);
            uint8_t bits = x[i] != im.valid[i] ? 0xFF : static_cast<uint8_t>((*m)[i] | im.carried[i]);
            if (o.name == "signal flags" && d->MFG.TextMatrix(o.row, ColCtcssEnc).empty()) bits &= 0xDF;
            if (((x[i] ^ y.image[i]) & bits) == 0) continue;
            auto& f = findings[o.name];
            if (f.count++ == 0) {
                char line[96];
                std::snprintf(line, sizeof line, ": byte 0x%04zX (row %d) 0x%02X -> 0x%02X", i, o.row, x[i], y.image[i]);
                f.first = what + ", " + damage + line + RepairListText(repairs, "; listed:", "row", 4, "more");
            }
        }
    }

    using Values = std::vector<int (*)(int b, size_t p)>;

    void Sweep(const CodecTables& tables, const std::string& what, const Values& sample) {
        const bool all = std::getenv("VELTRA_SWEEP_ALL") != nullptr;
        std::map<std::string, Finding> findings;
        std::mutex lock;
        size_t images = 0;
        for (int kind = 0; kind < 3; ++kind) {
            const Image im = Valid(kind, tables, what);
            const std::string name = what + " image " + std::to_string(kind + 1);
            // Single bytes, split between threads, each with findings of its own.
            const unsigned threads = all ? 4 : 1;
            std::vector<std::thread> pool;
            for (unsigned t = 0; t < threads; ++t)
                pool.emplace_back([&, t] {
                    std::map<std::string, Finding> mine;
                    size_t count = 0;
                    for (size_t j = t; j < im.bytes.size(); j += threads) {
                        const size_t p = im.bytes[j];
                        const uint8_t b = im.valid[p];
                        for (int k = 0; k < (all ? 256 : static_cast<int>(sample.size())); ++k) {
                            const int v = (all ? k : sample[static_cast<size_t>(k)](b, p)) & 0xFF;
                            if (v == b) continue;
                            ImageArray x = im.valid;
                            x[p] = static_cast<uint8_t>(v);
                            ++count;
                            char damage[48];
                            std::snprintf(damage, sizeof damage, "byte 0x%04zX set to 0x%02X", p, v);
                            Check(im, x, tables, name, damage, mine);
                        }
                    }
                    std::lock_guard<std::mutex> g(lock);
                    images += count;
                    for (auto& [k, f] : mine) {
                        auto& into = findings[k];
                        if (into.count == 0) into.first = f.first;
                        into.count += f.count;
                    }
                });
            for (auto& th : pool) th.join();
            // Several bytes at once, anywhere among those that carry a value.
            std::mt19937 rng(static_cast<unsigned>(kind + 1));
            for (int n = 0; n < (all ? 6000 : 300); ++n, ++images) {
                ImageArray x = im.valid;
                std::string damage = "bytes";
                const int count = std::uniform_int_distribution<int>(2, 8)(rng);
                for (int k = 0; k < count; ++k) {
                    const size_t p = im.bytes[std::uniform_int_distribution<size_t>(0, im.bytes.size() - 1)(rng)];
                    x[p] = static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 255)(rng));
                    char one[24];
                    std::snprintf(one, sizeof one, " 0x%04zX=0x%02X", p, x[p]);
                    damage += one;
                }
                Check(im, x, tables, name, damage, findings);
            }
        }
        EXPECT_GT(images, 6000u) << "the valid images carry too few values to sweep";
        for (const auto& [name, f] : findings)
            ADD_FAILURE() << f.count << " unlisted changes of " << name << " in " << images << " images, first: " << f.first;
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
