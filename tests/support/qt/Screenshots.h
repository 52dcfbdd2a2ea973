#pragma once
// Pictures of windows for a person to look at, in build/screenshots.
#include <QString>

class QWidget;

namespace vt::test {

// build/screenshots, created when needed.
QString ScreenshotDir();
// Saves a picture of the widget as build/screenshots/<file>; false when it could not be written.
bool SaveScreenshot(QWidget& w, const QString& file);

} // namespace vt::test
