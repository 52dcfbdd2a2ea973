#pragma once
// State shared by the region encoders and decoders during one run.
#include "editor/image/ConversionTables.h"
#include "editor/image/SettingsFields.h"
#include "editor/codec/ImageWriter.h"
#include "editor/dataset/EditorData.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vt {

class VoltageTables;

// The tables a run reads: the default image every encode starts from and the code tables.
struct CodecTables {
    ImageArray DefaultImage{};
    const ConversionTables* Conv = nullptr;
    const VoltageTables* Voltage = nullptr;
    // Tables that could not be read or hold damage: an image built with them would carry garbage.
    std::vector<TableSlot> Missing;
};

struct EncodeContext {
    EncodeContext(const EditorData& data, const CodecTables& tables, ImageArray& image)
        : d(data), t(tables), w(image, data.Lang) {}
    const EditorData& d;
    const CodecTables& t;
    SettingsFields f;
    ImageWriter w;
};

struct DecodeContext {
    DecodeContext(EditorData& data, const CodecTables& tables, const ImageArray& image)
        : d(data), t(tables), img(image) {}
    EditorData& d;
    const CodecTables& t;
    SettingsFields f;
    const ImageArray& img;
    // Texts of the second-receiver row by column, written into the grid's last row at the end.
    std::array<std::string, kGridCols> kept{};
    // The band was guessed from power bytes that other bands read otherwise: the band and the
    // slots whose levels are in doubt, for the repairs list.
    std::optional<int> guessedBand;
    std::vector<int> doubtfulPowerSlots;
    std::string bandGuessText;

    uint8_t At(size_t offset) const { return offset < img.size() ? img[offset] : 0; }
    // Sets the cell of row `slot` (1..200), or the kept text for slot 201.
    void SetSlotText(int slot, int col, const std::string& text);
    const std::string& SlotText(int slot, int col) const;
};

} // namespace vt
