#pragma once
// Ending a helper program a window test started (an X server, a window manager, the tool).
class QProcess;

namespace vt::test {

// Asks the program to end (SIGTERM), so that it can remove what it made (an X server its lock
// file and socket in /tmp), and kills it only when it has not ended within ms.
void StopProcess(QProcess& p, int ms = 3000);

} // namespace vt::test
