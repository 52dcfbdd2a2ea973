#include "tests/support/qt/Screenshots.h"

#include "tests/support/TempDir.h"

#include <QPixmap>
#include <QWidget>

namespace vt::test {

QString ScreenshotDir() { return QString::fromStdString(ScreenshotFolder().string()); }

bool SaveScreenshot(QWidget& w, const QString& file) { return w.grab().save(ScreenshotDir() + "/" + file); }

} // namespace vt::test
