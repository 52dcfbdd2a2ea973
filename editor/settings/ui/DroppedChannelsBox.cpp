#include "editor/settings/ui/DroppedChannelsBox.h"

#include "common/ui/MessageBox.h"
#include "editor/dataset/EditorData.h"
#include "editor/settings/ui/ToneDialogText.h"

namespace vt {

void ShowDroppedChannels(const EditorData& d, const std::vector<DroppedChannel>& dropped, QWidget* parent) {
    if (dropped.empty()) return;
    std::string heading = d.Lang.Text("Fradio_Msg", 32), more = d.Lang.Text("Fradio_Msg", 33);
    if (heading.empty())
        heading = "The channel list no longer holds these channels and values; they were removed:";
    if (more.empty()) more = "more channels were removed as well.";
    // Fewer channels per area can drop nearly 200: the box stays within the screen.
    constexpr size_t kShownLines = 25;
    ui::MsgBox(DisplayText(DroppedChannelsText(dropped, heading, kShownLines, more)), ui::MsgButtons::Ok,
               ui::MsgIcon::Information, QString(), parent);
}

} // namespace vt
