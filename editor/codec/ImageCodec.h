#pragma once
// The radio memory image built from the data set, and the data set rebuilt from an image.
// Source flag: 1 for a data file, 0 for the radio; it decides only whether the ID suffix is
// written or read.
#include "editor/codec/CodecContext.h"
#include "editor/codec/DecodeRepair.h"
#include "editor/codec/ImageError.h"

#include <string>
#include <vector>

namespace vt {

class ConversionTables;
class MainWindowApi;
struct EditorData;

struct EncodeResult {
    ImageArray image{};
    std::vector<ImageError> errors; // each names its field and, for channels, the grid row
    std::vector<ImageError> warnings; // data left out of a usable image, to be shown to the user
    bool ok() const { return errors.empty(); }
};

// Builds an image from the data set on top of the default image; changes nothing.
EncodeResult EncodeImage(const EditorData& d, const CodecTables& tables, int source);
// Loads the tables from the program folder (showing their messages), encodes, and only when
// the encode succeeds replaces d.MemImage. Returns the errors, empty on success; the warnings of
// a successful encode go to `warnings` when given. Without voltage tables the data set's own
// loaded ones are used.
std::vector<ImageError> EncodeImage(EditorData& d, ConversionTables& conv, const VoltageTables* voltage, int source,
                                    std::vector<ImageError>* warnings = nullptr);

// The same with the data set's own tables.
std::vector<ImageError> EncodeImage(EditorData& d, int source, std::vector<ImageError>* warnings = nullptr);

// Rebuilds the data set from w.Data().MemImage. The caller resets the data set first; fields the
// image does not carry keep the reset values. A value the editor cannot hold (or that a save
// would store differently) is brought into its range or set to its New value; the result lists
// those replacements, for the user.
std::vector<ImageRepair> DecodeImage(MainWindowApi& w, const CodecTables& tables, int source);
// Loads the code tables from the program folder, then decodes.
std::vector<ImageRepair> DecodeImage(MainWindowApi& w, ConversionTables& conv, int source);
// The same with the data set's own tables.
std::vector<ImageRepair> DecodeImage(MainWindowApi& w, int source);

// All errors as one message, one line each.
std::string ErrorListText(const std::vector<ImageError>& errors);

} // namespace vt
