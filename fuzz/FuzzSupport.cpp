#include "fuzz/FuzzSupport.h"

#include "editor/shell/core/DataSetReset.h"
#include "editor/shell/core/GridRules.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

#ifndef VELTRA_APP_DIR
#define VELTRA_APP_DIR ""
#endif

namespace vt::fuzz {

namespace fs = std::filesystem;

fs::path AppDir() {
    if (const char* home = std::getenv("VELTRA_HOME"); home && *home) return home;
    return VELTRA_APP_DIR;
}

const Shipped& ShippedTables() {
    static const Shipped* shipped = [] {
        auto* s = new Shipped;
        std::string messages;
        s->conv.Folder = AppDir();
        s->conv.ShowMessage = [&messages](const std::string& m) { messages += m + "\n"; };
        s->conv.InitTblErrMsgs();
        bool ok = s->conv.LoadDefaultTbl(s->tables.DefaultImage);
        ok = s->conv.LoadEncTbl() && ok;
        ok = s->conv.LoadDecTbl() && ok;
        ok = s->conv.LoadDcsTbl() && ok;
        ok = s->conv.LoadDevTbl() && ok;
        ok = s->conv.LoadPwrTbl() && ok;
        s->conv.LoadVoltageTbls();
        s->conv.ShowMessage = nullptr;
        s->voltage.Folder = AppDir();
        for (const auto& e : s->voltage.LoadVoltageTables()) messages += e + "\n";
        if (!ok || !messages.empty()) Fail("the program folder's tables do not load", (AppDir().string() + "\n" + messages));
        s->tables.Conv = &s->conv;
        s->tables.Voltage = &s->voltage;
        return s;
    }();
    return *shipped;
}

const fs::path& ScratchDir() {
    static const fs::path dir = [] {
        std::string tmpl = (fs::temp_directory_path() / "veltra-fuzz-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) Fail("cannot create a scratch folder", tmpl);
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(ScratchDir(), ec);
        });
        return fs::path(tmpl);
    }();
    return dir;
}

void WriteBytes(const fs::path& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) Fail("cannot write a scratch file", path.string());
}

std::unique_ptr<EditorData> NewDataSet() {
    auto d = std::make_unique<EditorData>();
    ResetDataSet(*d);
    return d;
}

std::unique_ptr<EditorData> OpenImage(const ImageArray& image, const CodecTables& tables, int source) {
    auto d = NewDataSet();
    d->MemImage = image;
    CoreMainWindow w(*d);
    DecodeImage(w, tables, source);
    return d;
}

namespace {
std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

std::string Differs(const std::string& what, const std::string& got, const std::string& want) {
    return what + ": " + Quote(got) + " after the second round, " + Quote(want) + " after the first";
}
} // namespace

std::string DataSetDifference(const EditorData& got, const EditorData& want) {
    if (got.RadioOption != want.RadioOption) return Differs("radio options", got.RadioOption, want.RadioOption);
    if (got.FiveToneInfo != want.FiveToneInfo) return Differs("5-tone settings", got.FiveToneInfo, want.FiveToneInfo);
    if (got.FarmMarnetInfo != want.FarmMarnetInfo)
        return Differs("FARMCALL/MARNET settings", got.FarmMarnetInfo, want.FarmMarnetInfo);
    if (got.Setup3C00 != want.Setup3C00 || got.Setup3C02 != want.Setup3C02)
        return Differs("setup bytes", std::to_string(got.Setup3C00) + "," + std::to_string(got.Setup3C02),
                       std::to_string(want.Setup3C00) + "," + std::to_string(want.Setup3C02));
    if (got.BandIndex != want.BandIndex)
        return Differs("band", std::to_string(got.BandIndex), std::to_string(want.BandIndex));
    for (int a = 1; a <= kMaxAreas; ++a)
        if (got.AreaNames[a] != want.AreaNames[a])
            return Differs("area name " + std::to_string(a), got.AreaNames[a], want.AreaNames[a]);
    if (got.MFG.Rows() != want.MFG.Rows() || got.MFG.Cols() != want.MFG.Cols())
        return Differs("grid size", std::to_string(got.MFG.Rows()), std::to_string(want.MFG.Rows()));
    for (int r = 1; r < got.MFG.Rows(); ++r)
        for (int c = 0; c < got.MFG.Cols(); ++c)
            if (got.MFG.TextMatrix(r, c) != want.MFG.TextMatrix(r, c))
                return Differs("cell (" + std::to_string(r) + ", " + std::to_string(c) + ")", got.MFG.TextMatrix(r, c),
                               want.MFG.TextMatrix(r, c));
    for (int n = 1; n <= kToneLines; ++n) {
        if (got.FiveToneChannels[n] != want.FiveToneChannels[n])
            return Differs("5-tone line " + std::to_string(n), got.FiveToneChannels[n], want.FiveToneChannels[n]);
        for (int k = 1; k <= kSpecialFields; ++k)
            if (got.SpecialData[n][k] != want.SpecialData[n][k])
                return Differs("special call " + std::to_string(n) + " field " + std::to_string(k), got.SpecialData[n][k],
                               want.SpecialData[n][k]);
    }
    return {};
}

void CheckFixedPoint(const EditorData& once, const CodecTables& tables, int source, std::string_view origin) {
    EncodeResult r = EncodeImage(once, tables, source);
    if (!r.ok())
        Fail(std::string(origin) + ": the data set does not encode", ErrorListText(r.errors));
    auto twice = OpenImage(r.image, tables, source);
    if (std::string diff = DataSetDifference(*twice, once); !diff.empty())
        Fail(std::string(origin) + ": a second save and open changed the data set", diff);
}

void Fail(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "\n==== veltra fuzz: %.*s\n", static_cast<int>(what.size()), what.data());
    if (!detail.empty()) std::fprintf(stderr, "%.*s\n", static_cast<int>(detail.size()), detail.data());
    std::fflush(stderr);
    std::abort();
}

uint8_t Input::Byte() {
    if (n_ == 0) return 0;
    --n_;
    return *p_++;
}

std::string Input::Line() {
    size_t k = 0;
    while (k < n_ && p_[k] != '\n') ++k;
    std::string s(reinterpret_cast<const char*>(p_), k);
    size_t used = k < n_ ? k + 1 : k;
    p_ += used;
    n_ -= used;
    return s;
}

std::string Input::Rest() {
    std::string s(reinterpret_cast<const char*>(p_), n_);
    p_ += n_;
    n_ = 0;
    return s;
}

} // namespace vt::fuzz
