// Any image the editor opens can be saved, and saving and opening it again changes nothing:
// decode(encode(decode(x))) == decode(x) for random, mutated and generated images, with the
// tables the program ships.
#include "codec/helpers/RandomDataSet.h"

#include "common/TextUtil.h"
#include "editor/codec/ImageCodec.h"
#include "editor/codec/ImageFixedPoint.h"
#include "editor/codec/ImageLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>

namespace vt::test {
namespace {

// Where a mutation lands: the regions the decoder reads, so that most mutations matter.
struct Region {
    size_t from, size;
};
const std::vector<Region> kRegions{
    {layout::kOptionArea, 0x8E},
    {layout::kToneRecords, 100 * layout::kToneRecordSize},
    {layout::kEmergencyTable, 20},
    {layout::kAreaNameTable, 10 * layout::kAreaNameSlot},
    {layout::kKeyTable, 10},
    {layout::kChannelFlagTable, 201},
    {layout::kChannelRecords, 200 * layout::kChannelRecordSize},
    {layout::kSecondReceiverRecord, layout::kChannelRecordSize},
    {layout::kIdSuffix, 5},
    {layout::kManualSetup, 3},
};

// VELTRA_FIXED_POINT_SCALE=n runs n times as many images (a longer search than CI's).
int Scale() {
    const char* s = std::getenv("VELTRA_FIXED_POINT_SCALE");
    int n = s ? std::atoi(s) : 1;
    return n > 0 ? n : 1;
}

class FixedPoint : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(VELTRA_APP_DIR) / "resource" / "default.Tbl"))
            << "the program folder " << VELTRA_APP_DIR << " has no tables";
        shipped = LoadTablesFrom(VELTRA_APP_DIR).release();
        ASSERT_TRUE(shipped->messages.empty()) << shipped->messages.front();
    }
    static void TearDownTestSuite() {
        delete shipped;
        shipped = nullptr;
    }
    static LoadedTables* shipped;

    std::mt19937 rng{20261209};
    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); }
    uint8_t AnyByte() { return static_cast<uint8_t>(Pick(256)); }

    // Overwrites a few bytes, flips a few bits, or fills a stretch with one value, mostly inside
    // the regions the decoder reads.
    ImageArray Mutate(ImageArray img) {
        int edits = 1 + static_cast<int>(Pick(12));
        for (int e = 0; e < edits; ++e) {
            const Region& reg = kRegions[Pick(kRegions.size())];
            size_t at = Pick(20) == 0 ? Pick(kImageSize) : reg.from + Pick(reg.size);
            switch (Pick(4)) {
            case 0: img[at] = AnyByte(); break;
            case 1: img[at] ^= static_cast<uint8_t>(1u << Pick(8)); break;
            case 2: img[at] = Pick(2) ? 0x00 : 0xFF; break;
            default: {
                uint8_t v = AnyByte();
                for (size_t k = at; k < std::min(at + 1 + Pick(24), kImageSize); ++k) img[k] = v;
            }
            }
        }
        return img;
    }

    // Runs the check and files a failure under its first line, so that one run lists the classes.
    void Check(const ImageArray& img, const std::string& what, size_t size = kImageSize) {
        std::string why;
        ++checked;
        if (CheckImageFixedPoint(img.data(), size, shipped->tables, &why)) return;
        failures[ClassOf(why)].push_back(what + ": " + why);
    }
    // The first difference or error with its values and numbers left out, to group the failures.
    static std::string ClassOf(const std::string& why) {
        size_t start = why.find('\n') + 1;
        std::string line = why.substr(start, why.find('\n', start) - start), key;
        bool quoted = false;
        for (char ch : line) {
            if (ch == '"') quoted = !quoted;
            else if (!quoted && !(ch >= '0' && ch <= '9')) key += ch;
        }
        return why.substr(0, start) + key;
    }
    void ExpectNoFailure() {
        for (const auto& [key, list] : failures)
            ADD_FAILURE() << list.size() << " of " << checked << " images, first: " << list.front();
    }

    size_t checked = 0;
    std::map<std::string, std::vector<std::string>> failures;
};
LoadedTables* FixedPoint::shipped = nullptr;

TEST_F(FixedPoint, ShippedDefaultImageAndItsMutations) {
    const ImageArray& base = shipped->tables.DefaultImage;
    Check(base, "default.Tbl");
    Check(base, "default.Tbl as read from the radio", kImageSize - 1);
    for (int i = 0; i < 600 * Scale(); ++i) Check(Mutate(base), "mutated default.Tbl #" + std::to_string(i), i % 5 ? kImageSize : kImageSize - 1);
    ExpectNoFailure();
}

TEST_F(FixedPoint, GeneratedDataSetsAndTheirMutations) {
    for (unsigned seed = 1; seed <= 30u * Scale(); ++seed) {
        RandomCase c = MakeRandomDataSet(seed);
        EncodeResult r = EncodeImage(*c.input, shipped->tables, ImageSource::File);
        ASSERT_TRUE(r.ok()) << ErrorListText(r.errors);
        Check(r.image, "data set " + std::to_string(seed));
        for (int i = 0; i < 15; ++i)
            Check(Mutate(r.image), "mutated data set " + std::to_string(seed) + " #" + std::to_string(i));
    }
    ExpectNoFailure();
}

TEST_F(FixedPoint, RandomBytes) {
    for (int i = 0; i < 200 * Scale(); ++i) {
        ImageArray img;
        for (auto& b : img) b = AnyByte();
        Check(img, "random image #" + std::to_string(i), i % 4 ? kImageSize : kImageSize - 1);
    }
    ImageArray zeros{}, ones;
    ones.fill(0xFF);
    Check(zeros, "all zero");
    Check(ones, "all 0xFF");
    ExpectNoFailure();
}

// The entry the fuzz targets call: the tables of the program folder, loaded on the first call.
TEST_F(FixedPoint, EntryWithTheProgramFoldersTables) {
    const char* before = std::getenv("VELTRA_HOME");
    const std::string kept = before ? before : "";
    setenv("VELTRA_HOME", VELTRA_APP_DIR, 1);
    std::string why;
    const ImageArray& base = shipped->tables.DefaultImage;
    EXPECT_TRUE(CheckImageFixedPoint(base.data(), base.size(), &why)) << why;
    for (int i = 0; i < 20; ++i) {
        ImageArray img = Mutate(base);
        EXPECT_TRUE(CheckImageFixedPoint(img.data(), i % 2 ? kImageSize : kImageSize - 1, &why)) << why;
    }
    if (before) setenv("VELTRA_HOME", kept.c_str(), 1);
    else unsetenv("VELTRA_HOME");
}

TEST_F(FixedPoint, OtherLengthsAreNoImages) {
    ImageArray img{};
    std::string why;
    EXPECT_TRUE(CheckImageFixedPoint(img.data(), 100, shipped->tables, &why));
    EXPECT_TRUE(CheckImageFixedPoint(img.data(), 0, shipped->tables, &why));
    EXPECT_TRUE(why.empty());
}

} // namespace
} // namespace vt::test
