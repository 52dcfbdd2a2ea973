// The files the editor and the transfer tool exchange: whatever Msg.sys holds reads back as its
// first three bytes (or nothing when shorter; the editor's poll takes what there is of them), the
// tool's status update changes byte 0 of an existing non-empty file only, the editor's request
// replaces the first three bytes without shortening the file, and the byte-exact reader returns
// the file as it is.
#include "fuzz/FuzzSupport.h"

#include "common/ExchangeFiles.h"

#include <vector>

using namespace vt;
namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path file = fuzz::ScratchDir() / kMsgSysName;
    fuzz::WriteBytes(file, data, size);
    const std::vector<uint8_t> original(data, data + size);

    std::string error;
    auto bytes = ReadFileBytes(file, &error);
    if (!bytes || *bytes != original) fuzz::Fail("the file does not read back as written", error);

    const MsgSys unset{0xEE, 0xEF, 0xF0};
    MsgSys msg = unset;
    if (bool(ReadMsgSys(file, msg)) != (size >= 3))
        fuzz::Fail("Msg.sys of " + std::to_string(size) + " bytes misread");
    if (size >= 3 && (msg.status != data[0] || msg.port != data[1] || msg.language != data[2]))
        fuzz::Fail("Msg.sys fields are not its first three bytes");
    msg = unset;
    if (bool(ReadMsgSys(file, msg, 1)) != (size >= 1))
        fuzz::Fail("the poll misread " + std::to_string(size) + " bytes");
    const uint8_t polled[] = {msg.status, msg.port, msg.language};
    const uint8_t kept[] = {unset.status, unset.port, unset.language};
    for (size_t i = 0; i < 3; ++i)
        if (polled[i] != (i < size ? data[i] : kept[i]))
            fuzz::Fail("the poll's byte " + std::to_string(i) + " is wrong");

    const uint8_t status = size ? static_cast<uint8_t>(data[0] ^ 0x80) : uint8_t{StatusCompleted};
    if (bool(WriteMsgSysStatus(file, status, 1)) != (size >= 1))
        fuzz::Fail("the status write misjudged the file");
    auto after = ReadFileBytes(file, &error);
    std::vector<uint8_t> want = original;
    if (!want.empty()) want[0] = status;
    if (!after || *after != want) fuzz::Fail("the status update changed more than byte 0");

    const MsgSys request{StatusRequested, static_cast<uint8_t>(size > 1 ? data[1] : 5), 1};
    if (!WriteMsgSys(file, request, &error)) fuzz::Fail("the request cannot be written", error);
    want.resize(std::max<size_t>(want.size(), 3));
    want[0] = request.status;
    want[1] = request.port;
    want[2] = request.language;
    after = ReadFileBytes(file, &error);
    if (!after || *after != want) fuzz::Fail("the request changed more than the first three bytes");

    // The tool never creates Msg.sys.
    fs::remove(file);
    if (WriteMsgSysStatus(file, status, 1) || fs::exists(file)) fuzz::Fail("a status update created Msg.sys");
    return 0;
}
