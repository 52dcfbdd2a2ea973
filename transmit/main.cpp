#include "transmit/ui/TransmitWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vt::TransmitWindow window;
    window.show();
    return app.exec();
}
