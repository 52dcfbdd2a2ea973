#pragma once
// Grids whose cells are edited in a box laid over the cell open that box on the press.
#include <QModelIndex>
#include <functional>

class QAbstractItemView;
class QWidget;

namespace vt::ui {

// Calls onCell for a left press on an enabled cell of view, after the view has taken the press
// (an open box has lost the focus and written its cell) and with the cell scrolled wholly into
// view. The view's own scroll to a partly hidden cell comes only after the double-click time and
// would take away the box just opened over the cell; and a click would never come when that
// scroll moved another cell under the release.
void OnCellPress(QAbstractItemView* view, std::function<void(const QModelIndex&)> onCell);

// Calls onEscape for Escape pressed in box, a cell's box in a dialog, and keeps the key from the
// dialog: Escape ends that one edit, not the dialog with everything typed in it. With no box
// open, Escape cancels the dialog as before.
void OnCellBoxEscape(QWidget* box, std::function<void()> onEscape);

} // namespace vt::ui
