// Writes the seed corpora of the fuzz targets: fuzz_seeds <folder> makes <folder>/<target>/*.
// Everything comes from the project itself: the generated tables of the program folder and the
// codec tests' generator of data sets.
#include "fuzz/FuzzSupport.h"

#include "codec/helpers/RandomDataSet.h"
#include "common/ProgramFolder.h"
#include "common/TextUtil.h"
#include "editor/codec/ImageFile.h"
#include "editor/dataset/LngFile.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace vt;
namespace fs = std::filesystem;

namespace {

fs::path root;

void Put(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
    fs::create_directories(root / target);
    fuzz::WriteBytes(root / target / name, bytes.data(), bytes.size());
}
void Put(const std::string& target, const std::string& name, const std::string& text) {
    Put(target, name, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> Bytes(const ImageArray& image, size_t size) {
    std::vector<uint8_t> v(image.begin(), image.begin() + static_cast<long>(std::min(size, image.size())));
    v.resize(size, 0);
    return v;
}

ImageArray Encoded(const EditorData& d, ImageSource source) {
    EncodeResult r = EncodeImage(d, fuzz::ShippedTables().tables, source);
    if (!r.ok()) fuzz::Fail("a generated data set does not encode", ErrorListText(r.errors));
    return r.image;
}

std::string SettingsText(const EditorData& d, int lines) {
    std::string s = d.RadioOption() + "\n" + d.FiveToneInfo() + "\n" + d.FarmMarnetInfo();
    for (int n = 1; n <= lines; ++n) {
        std::vector<std::string> special(d.SpecialData()[n].begin() + 1, d.SpecialData()[n].end());
        s += "\n" + d.FiveToneChannels()[n] + "\n" + Join(special);
    }
    return s;
}

// A grid edit as cell_rules reads it: row and column bytes, then the typed text or list item.
std::string Edit(int row, int col, const std::string& typed) {
    return std::string(1, static_cast<char>(row - 1)) + static_cast<char>(col - 1) + typed + "\n";
}
std::string Pick(int row, int col, int item) {
    return std::string(1, static_cast<char>(row - 1)) + static_cast<char>(col - 1) + static_cast<char>(item);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <corpus folder>\n");
        return 2;
    }
    root = argv[1];
    const auto& shipped = fuzz::ShippedTables();
    const ImageArray& def = shipped.tables.DefaultImage;

    // Images: the default, generated data files, a radio read.
    Put("image_roundtrip", "default", Bytes(def, kImageSize));
    for (unsigned seed : {1u, 2u, 3u})
        Put("image_roundtrip", "generated-" + std::to_string(seed), Bytes(Encoded(*test::MakeRandomDataSet(seed).input, ImageSource::File), kImageSize));
    auto radio = Bytes(Encoded(*test::MakeRandomDataSet(4).input, ImageSource::Radio), kImageSize + 1);
    radio[kImageSize] = 1;
    Put("image_roundtrip", "radio-4", radio);

    // Data files of every length class.
    Put("image_file", "empty", std::vector<uint8_t>{});
    Put("image_file", "short", Bytes(def, 100));
    Put("image_file", "rbuffer", Bytes(def, kRadioImageSize));
    Put("image_file", "data", Bytes(Encoded(*test::MakeRandomDataSet(5).input, ImageSource::File), kImageSize));
    Put("image_file", "longer", Bytes(def, kImageSize + 40));

    // Calibration tables: selector byte, then the shipped file; one removed, one cut short.
    auto tableFile = [](std::string_view name) {
        auto b = ReadFileBytes(ResolvePath(fuzz::AppDir(), name));
        if (!b) fuzz::Fail("a shipped table is missing", std::string(name));
        return *b;
    };
    const int mainTables = static_cast<int>(kTableNames.size());
    for (int s = 0; s < mainTables + static_cast<int>(kBandTableNames.size()); ++s) {
        std::string_view name = s < mainTables ? kTableNames[static_cast<size_t>(s)]
                                               : kBandTableNames[static_cast<size_t>(s - mainTables)];
        auto b = tableFile(name);
        b.insert(b.begin(), static_cast<uint8_t>(s));
        Put("conversion_tables", "slot-" + std::to_string(s), b);
    }
    Put("conversion_tables", "enc-missing", std::vector<uint8_t>{1});
    auto cut = tableFile(kTableNames[DcsTblSlot]);
    cut.resize(40);
    cut.insert(cut.begin(), static_cast<uint8_t>(DcsTblSlot));
    Put("conversion_tables", "dcs-short", cut);

    // Voltage tables: index byte, then the shipped file.
    for (int b = 0; b < kVolBands; ++b)
        for (int kind : {kVolRx, kVolTx}) {
            std::string name = VoltageFileName(b, kind);
            auto bytes = ReadFileBytes(ResolvePath(fuzz::AppDir(), name));
            if (!bytes) fuzz::Fail("a shipped voltage table is missing", name);
            bytes->insert(bytes->begin(), static_cast<uint8_t>(2 * b + kind));
            Put("voltage_tables", "table-" + std::to_string(2 * b + kind), *bytes);
        }

    // Language files: the shipped ones are added by the script; here the line forms.
    Put("lng_file", "forms",
        "Fradio_Msg@@5@@<sp>Not<sp>a<sp>number<br>again\r\nFradio_Tip@@2@@Tip\nno key here\rFmenu@@x@@bad index\n"
        "Fradio_Msg@@99999@@out of range\r\nFradio_Msg@@1@@two@@many\n");
    // Files of lines at the size limit, which loads, and one byte over it, which is refused.
    std::string full;
    for (int n = 0; full.size() < kMaxLngFileSize; ++n) full += "Fradio_Msg@@" + std::to_string(n % 100) + "@@text\r\n";
    full.resize(kMaxLngFileSize);
    Put("lng_file", "at-the-limit", full);
    Put("lng_file", "over-the-limit", full + "\n");

    // Msg.sys as the editor and the tool leave it.
    Put("exchange_files", "request", std::vector<uint8_t>{StatusRequested, 5, 0});
    Put("exchange_files", "completed", std::vector<uint8_t>{StatusCompleted, 33, 1});
    Put("exchange_files", "short", std::vector<uint8_t>{StatusNoRadio});
    Put("exchange_files", "longer", std::vector<uint8_t>{StatusEchoError, 96, 1, 7, 7});

    // The settings records of a New data set and of generated ones.
    Put("setting_strings", "new", SettingsText(*fuzz::NewDataSet(), 3));
    for (unsigned seed : {6u, 7u, 8u})
        Put("setting_strings", "generated-" + std::to_string(seed), SettingsText(*test::MakeRandomDataSet(seed).input, 100));

    // Grid edits: areas, channels per area and band bytes, then the edits.
    std::string one = std::string{0, 99, 3} + Edit(1, 1, "145.125") + Edit(1, 2, "145.1375") + Edit(1, 3, "CH ONE") +
                      Edit(1, 4, "Harbour office") + Pick(1, 5, 12) + Pick(1, 8, 20) + Edit(1, 9, "YES") + Edit(1, 10, "S") +
                      Edit(1, 11, "AP") + Edit(1, 12, "LO") + Edit(1, 13, "42") + Edit(1, 14, "300") + Edit(1, 15, "17");
    Put("cell_rules", "one-channel", one);
    std::string areas = std::string{2, 9, 1} + Edit(1, 1, "53.5") + Edit(1, 2, "53.5") + Edit(11, 2, "59.9875") +
                        Edit(12, 10, "P") + Edit(13, 10, "TP") + Pick(2, 5, 52) + "123.4\n" + Edit(201, 1, "54") +
                        Edit(201, 14, "150") + Edit(3, 3, "\xC3\xA9t\xC3\xA9") + Edit(4, 3, "\xE4\xB8\xAD");
    Put("cell_rules", "areas", areas);
    std::string refused = std::string{0, 0, 3} + Edit(1, 1, "1e3") + Edit(1, 2, "176.0000") + Edit(1, 2, "135") +
                          Edit(1, 14, "99") + Edit(1, 15, "51") + Pick(1, 6, 52) + "300.0\n" + Edit(1, 13, "007");
    Put("cell_rules", "refused", refused);
    return 0;
}
