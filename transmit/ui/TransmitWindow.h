#pragma once
// The transfer tool's window.
#include <QWidget>

namespace vt {

class TransmitWindow : public QWidget {
    Q_OBJECT
public:
    explicit TransmitWindow(QWidget* parent = nullptr);
};

} // namespace vt
