#include "common/ui/CellPress.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QMouseEvent>

namespace vt::ui {

namespace {
// The view's pressed signal does not say which button: the viewport's last press does.
class PressButton : public QObject {
public:
    using QObject::QObject;
    Qt::MouseButton last = Qt::NoButton;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
            last = static_cast<QMouseEvent*>(event)->button();
        return false;
    }
};
} // namespace

void OnCellPress(QAbstractItemView* view, std::function<void(const QModelIndex&)> onCell) {
    auto* button = new PressButton(view);
    view->viewport()->installEventFilter(button);
    QObject::connect(view, &QAbstractItemView::pressed, button,
                     [view, button, onCell = std::move(onCell)](const QModelIndex& index) {
                         if (button->last != Qt::LeftButton) return;
                         view->scrollTo(index);
                         onCell(index);
                     });
}

} // namespace vt::ui
