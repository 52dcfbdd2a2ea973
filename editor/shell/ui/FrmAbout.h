#pragma once
// The About box shown when the editor speaks Chinese.
#include "editor/shell/ui/AboutBox.h"

namespace vt {

class FrmAbout : public AboutBox {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget* parent = nullptr);
};

} // namespace vt
