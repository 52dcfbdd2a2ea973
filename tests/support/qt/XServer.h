#pragma once
// A private X server for the window tests that need a real window manager.
#include <QString>

class QProcess;

namespace vt::test {

// Starts Xvfb on server with the given screen ("1024x768x24") and returns its display (":N"),
// or an empty string when it did not come up within ms. VELTRA_TEST_DISPLAY names a number of
// one's own; otherwise Xvfb takes the first free one itself (-displayfd): a number picked from
// the sockets in /tmp could be taken by another test's server first, and a server in a chroot
// holds its number without a file in this /tmp at all.
QString StartXvfb(QProcess& server, const QString& screen, int ms = 30000);

} // namespace vt::test
