// The codec with the tables the program folder ships: the default image reads back as a New
// data set, and generated data sets survive a save and an open through the real files.
#include "codec/helpers/CodecFixture.h"
#include "codec/helpers/RandomDataSet.h"

#include "editor/codec/ImageFile.h"
#include "editor/dataset/GridRules.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vt::test {
namespace {

class ShippedTables : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::filesystem::path(VELTRA_APP_DIR) / "resource" / "default.Tbl"))
            GTEST_SKIP() << "no generated tables in " << VELTRA_APP_DIR;
    }
    // A data set whose tables come from the program folder, or another installation's.
    std::unique_ptr<EditorData> WithTables(std::unique_ptr<EditorData> d,
                                           const std::filesystem::path& folder = VELTRA_APP_DIR) {
        d->Tables.Folder = folder;
        d->Tables.ShowMessage = [this](const std::string& m) { messages.push_back(m); };
        d->VolTables.Folder = folder;
        EXPECT_TRUE(d->VolTables.LoadVoltageTables().empty());
        return d;
    }
    std::vector<std::string> messages;
};

TEST_F(ShippedTables, DefaultImageDecodesAsNew) {
    auto d = WithTables(NewData());
    ASSERT_TRUE(ReadImageFile(std::filesystem::path(VELTRA_APP_DIR) / "resource" / "default.Tbl", d->MemImage));
    DecodeImage(d->MemImage, LoadCodecTables(d->Tables, d->VolTables, TablesFor::Decode), ImageSource::File, *d);
    EXPECT_TRUE(messages.empty());
    ExpectSameData(*d, *NewDataAsDecoded(), 0);
}

TEST_F(ShippedTables, SaveAndOpenThroughTheRealTables) {
    TempDir tmp("veltra-codec-shipped");
    const auto& dir = tmp.Path();
    const std::filesystem::path others = VELTRA_OTHER_TABLES_DIR;
    // Ten data sets through the shipped tables, two through each other calibration.
    const std::filesystem::path folders[] = {VELTRA_APP_DIR, others / "1", others / "2", others / "3"};
    for (unsigned seed = 500; seed < 516; ++seed) {
        const auto& folder = folders[seed < 510 ? 0 : (seed - 510) / 2 + 1];
        RandomCase c = MakeRandomDataSet(seed);
        auto in = WithTables(std::move(c.input), folder);
        EncodeResult r = EncodeImage(*in, LoadCodecTables(in->Tables, in->VolTables, TablesFor::Encode), ImageSource::File);
        ASSERT_TRUE(r.ok()) << ErrorListText(r.errors);
        in->MemImage = r.image;
        ASSERT_TRUE(WriteImageFile(dir / "data.dat", in->MemImage));
        auto out = WithTables(NewData(), folder);
        ASSERT_TRUE(ReadImageFile(dir / "data.dat", out->MemImage));
        DecodeImage(out->MemImage, LoadCodecTables(out->Tables, out->VolTables, TablesFor::Decode), ImageSource::File,
                    *out);
        ExpectSameData(*out, *c.expected, seed);
        EXPECT_TRUE(messages.empty());
    }
}

} // namespace
} // namespace vt::test
