#pragma once
// The start-up splash: a borderless picture centred on the screen; after two seconds it hands
// over to the main window and goes away.
#include <QWidget>
#include <functional>

class QTimer;

namespace vt {

class FrmWelcome : public QWidget {
    Q_OBJECT
public:
    // showMain creates and shows the main window when the splash ends.
    explicit FrmWelcome(std::function<void()> showMain, QWidget* parent = nullptr);

    QTimer* Timer1 = nullptr;
    void Timer1_Timer();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> showMain_;
};

} // namespace vt
