#include "common/ui/CellPress.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

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

class EscapeKey : public QObject {
public:
    EscapeKey(QObject* parent, std::function<void()> onEscape) : QObject(parent), onEscape_(std::move(onEscape)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
            return false;
        onEscape_();
        return true;
    }

private:
    std::function<void()> onEscape_;
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

void OnCellBoxEscape(QWidget* box, std::function<void()> onEscape) {
    box->installEventFilter(new EscapeKey(box, std::move(onEscape)));
}

} // namespace vt::ui
