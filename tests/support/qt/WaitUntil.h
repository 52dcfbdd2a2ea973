#pragma once
// Waiting in a window test for something the event loop brings about.
#include <functional>

namespace vt::test {

// Runs a real event loop until pred() holds or ms have passed; true when it holds. Unlike
// QTest::qWaitFor it does not sleep between its rounds, which would throttle a port reader's
// notifications.
bool WaitUntil(const std::function<bool()>& pred, int ms);

} // namespace vt::test
