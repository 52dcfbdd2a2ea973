#pragma once
// The radio memory image built from the data set, and the data set rebuilt from an image: plain
// functions of their inputs. Reading the tables from the program folder is a step of its own
// (LoadCodecTables), taken by whoever shows the table messages.
#include "editor/codec/CodecContext.h"
#include "editor/codec/DecodeRepair.h"
#include "editor/codec/ImageError.h"

#include <optional>
#include <string>
#include <vector>

namespace vt {

class ConversionTables;
class VoltageTables;
struct EditorData;

// Where an image goes or comes from. It decides only whether the ID suffix is written or read:
// a data file carries it, the radio's buffer does not.
enum class ImageSource { File, Radio };

struct EncodeResult {
    ImageArray image{};
    std::vector<ImageError> errors; // each names its field and, for channels, the grid row
    std::vector<ImageError> warnings; // data left out of a usable image, to be shown to the user
    bool ok() const { return errors.empty(); }
};

// Builds an image from the data set on top of the default image; changes nothing.
EncodeResult EncodeImage(const EditorData& d, const CodecTables& tables, ImageSource source);

struct DecodeResult {
    // Values the editor cannot hold (or that a save would store differently), brought into their
    // range or set to their New value, for the user.
    std::vector<ImageRepair> repairs;
    // The band the decode selected in the data set (0..7), for the Band menu; none when the image
    // gave no band and the data set kept its own.
    std::optional<int> band;
};

// Rebuilds the data set d from image, as one replacement of the data set. The caller resets d
// first; fields the image does not carry keep the reset values. d.MemImage is not touched.
DecodeResult DecodeImage(const ImageArray& image, const CodecTables& tables, ImageSource source, EditorData& d);

// Which tables a run needs read: an encode also reads the voltage tables and renews the table
// error texts (for the current language).
enum class TablesFor { Encode, Decode };
// Reads the default image and the code tables from conv's folder into conv (its messages go to
// conv.ShowMessage) and returns them with voltage, for an encode or a decode.
CodecTables LoadCodecTables(ConversionTables& conv, const VoltageTables& voltage, TablesFor use);

// All errors as one message, one line each.
std::string ErrorListText(const std::vector<ImageError>& errors);

} // namespace vt
