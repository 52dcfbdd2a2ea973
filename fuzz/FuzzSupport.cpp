#include "fuzz/FuzzSupport.h"

#include "editor/dataset/DataSetReset.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
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

const LoadedTables& ShippedTables() {
    static const LoadedTables* shipped = [] {
        LoadedTables* t = LoadTablesFrom(AppDir()).release();
        std::string messages;
        for (const auto& m : t->messages) messages += m + "\n";
        if (!messages.empty()) Fail("the program folder's tables do not load", AppDir().string() + "\n" + messages);
        return t;
    }();
    return *shipped;
}

namespace {
// The scratch folder once made. Never destroyed: the exit handler that removes the folder runs
// after the destructors of statics made later, and a destroyed path would name no folder.
const fs::path* scratch = nullptr;

void RemoveScratch() {
    std::error_code ec;
    if (scratch) fs::remove_all(*scratch, ec);
}
} // namespace

const fs::path& ScratchDir() {
    static const fs::path* dir = [] {
        std::string tmpl = (fs::temp_directory_path() / "veltra-fuzz-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) Fail("cannot create a scratch folder", tmpl);
        scratch = new fs::path(tmpl);
        std::atexit(RemoveScratch);
        return scratch;
    }();
    return *dir;
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

void CheckFixedPoint(const EditorData& once, const CodecTables& tables, ImageSource source, std::string_view origin) {
    EncodeResult r = EncodeImage(once, tables, source);
    if (!r.ok())
        Fail(std::string(origin) + ": the data set does not encode", ErrorListText(r.errors));
    auto twice = DecodeIntoNewData(r.image, tables, source);
    if (std::string diff = DataSetDifference(*twice, once); !diff.empty())
        Fail(std::string(origin) + ": a second save and open changed the data set", diff);
}

void Fail(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "\n==== veltra fuzz: %.*s\n", static_cast<int>(what.size()), what.data());
    if (!detail.empty()) std::fprintf(stderr, "%.*s\n", static_cast<int>(detail.size()), detail.data());
    std::fflush(stderr);
    RemoveScratch(); // abort skips the exit handlers; the input that failed is kept by the fuzzer
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
