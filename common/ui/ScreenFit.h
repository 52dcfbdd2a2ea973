#pragma once
// The windows were drawn for a desktop screen; a laptop's 1366x768 at 150% leaves 910x512 of it.
class QWidget;

namespace vt::ui {

// Keeps the window, its title bar included, within the available area of its screen each time it
// is shown. A window that fits keeps its designed size and layout. One that does not is made as
// large as the area allows: a resizable window is resized; a fixed one is, and its controls go
// into a scroll area (object name "ScreenFit"), so that every button can still be reached. A menu
// bar stays above the scrolled part.
void FitToScreen(QWidget* window);

} // namespace vt::ui
