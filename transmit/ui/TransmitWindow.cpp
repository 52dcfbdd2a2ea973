#include "transmit/ui/TransmitWindow.h"

namespace vt {

TransmitWindow::TransmitWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("TransmitWindow");
    setWindowTitle("transmit");
    resize(400, 200);
}

} // namespace vt
