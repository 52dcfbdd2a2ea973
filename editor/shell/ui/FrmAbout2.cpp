#include "editor/shell/ui/FrmAbout2.h"

namespace vt {

FrmAbout2::FrmAbout2(QWidget* parent)
    : AboutBox("About Pelican", "&OK",
               {"Veltra Data Editor", "Version 1.0", "Channel and option programming for the multi-band radio",
                "All rights reserved."},
               parent) {
    setObjectName("FrmAbout2");
}

} // namespace vt
