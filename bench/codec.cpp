// Time of one encode and one decode of a full data set: ten areas of twenty channels, every
// channel filled, a full 5-tone list. Target: each under 2 ms.
#include "editor/image/ToneLists.h"
#include "editor/codec/DefaultImage.h"
#include "editor/codec/ImageCodec.h"
#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include "common/TextUtil.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace vt;

namespace {

void FillTables(ConversionTables& t) {
    for (size_t k = 0; k < kEncTblSize / 2; ++k) {
        t.EncTbl[2 * k] = static_cast<uint8_t>(0x40 + k / 256);
        t.EncTbl[2 * k + 1] = static_cast<uint8_t>(k);
        t.DecTbl[2 * k] = static_cast<uint8_t>(0x80 + k / 256);
        t.DecTbl[2 * k + 1] = static_cast<uint8_t>(k);
    }
    for (size_t c = 0; c < kDcsTblSize / 3; ++c) t.DcsTbl[3 * c + 1] = static_cast<uint8_t>(c);
    for (size_t e = 0; e < kDevTblSize / 3; ++e) t.DevTbl[3 * e] = static_cast<uint8_t>(e);
    for (size_t i = 0; i < kPwrTblSize; ++i) t.PwrTbl[i] = static_cast<uint8_t>(20 + i % 50 * 4 + i / 50);
}

void FullDataSet(EditorData& d) {
    ResetDataSet(d);
    d.SetRadioOption("10|20|0|0|1|100|5|0|1000|120|200|500|1000|2|0|1|7|1|7|3|1|1|0|1|1|0|1|1|1|1|1|0|0|"
                     "CHANNEL|HIGH|1|0|12|0");
    AdjustArea_Marnet(d);
    SetBand(d, 3);
    for (int r = 1; r <= 200; ++r) {
        std::string f = FormatFixed(136.0 + 0.0125 * r, 4);
        d.SetCell(r, ColTxFreq, f, RecordWrite::Quiet);
        d.SetCell(r, ColRxFreq, f, RecordWrite::Quiet);
        d.SetCell(r, ColName1, "CH" + std::to_string(r), RecordWrite::Quiet);
        d.SetCell(r, ColName2, "CHANNEL " + std::to_string(r), RecordWrite::Quiet);
        if (r % 2)
            d.SetCell(r, ColCtcssEnc, std::string(kStandardTones[static_cast<size_t>(r % 51)]),
                      RecordWrite::Quiet);
        else
            d.SetCell(r, ColDcsEnc, std::string(kDcsCodes[static_cast<size_t>(r % 104)]), RecordWrite::Quiet);
        d.SetCell(r, ColCtcssDec, std::string(kStandardTones[static_cast<size_t>((r * 7) % 51)]),
                  RecordWrite::Quiet);
        d.SetCell(r, ColScan, r % 20 == 1 ? "TSP" : "S", RecordWrite::Quiet);
        d.SetCell(r, ColFiveTone, "AP", RecordWrite::Quiet);
        d.SetCell(r, ColAni, "LO", RecordWrite::Quiet);
        d.SetCell(r, ColSelCall, std::to_string(r % 100 + 1), RecordWrite::Quiet);
    }
    for (int n = 1; n <= kToneLines; ++n) {
        d.SetFiveToneLine(n, "CALL 1234567890|ZVEI1|LINE " + std::to_string(n) + "|" + std::to_string(n) +
                                 "|3|");
        d.SetSpecialField(n, 1, "0");
    }
}

template <class F>
double MedianMs(int runs, F&& f) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) t.push_back(f());
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

int main() {
    using clock = std::chrono::steady_clock;
    ConversionTables conv;
    FillTables(conv);
    CodecTables tables;
    tables.Conv = &conv;
    tables.DefaultImage = BuildDefaultImage(conv).value_or(ImageArray{});
    EditorData d;
    FullDataSet(d);

    EncodeResult r = EncodeImage(d, tables, ImageSource::File);
    if (!r.ok()) {
        std::printf("encode failed: %s\n", ErrorListText(r.errors).c_str());
        return 1;
    }
    double enc = MedianMs(200, [&] {
        auto t0 = clock::now();
        EncodeResult x = EncodeImage(d, tables, ImageSource::File);
        return std::chrono::duration<double, std::milli>(clock::now() - t0).count() + (x.ok() ? 0 : 1e9);
    });
    EditorData out;
    double dec = MedianMs(200, [&] {
        ResetDataSet(out);
        out.MemImage = r.image;
        auto t0 = clock::now();
        DecodeImage(r.image, tables, ImageSource::File, out);
        return std::chrono::duration<double, std::milli>(clock::now() - t0).count();
    });
    std::printf("encode of a full data set: %.3f ms (target < 2 ms)\n", enc);
    std::printf("decode of a full data set: %.3f ms (target < 2 ms)\n", dec);
    return 0;
}
