#pragma once
// The About box shown when the editor speaks English.
#include "editor/shell/ui/AboutBox.h"

namespace vt {

class FrmAbout2 : public AboutBox {
    Q_OBJECT
public:
    explicit FrmAbout2(QWidget* parent = nullptr);
};

} // namespace vt
