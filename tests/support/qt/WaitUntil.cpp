#include "tests/support/qt/WaitUntil.h"

#include <QEventLoop>
#include <QTimer>

namespace vt::test {

bool WaitUntil(const std::function<bool()>& pred, int ms) {
    if (pred()) return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (pred()) loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(5);
    deadline.start(ms);
    loop.exec();
    return pred();
}

} // namespace vt::test
