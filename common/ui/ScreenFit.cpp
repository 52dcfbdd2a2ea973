#include "common/ui/ScreenFit.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace vt::ui {

namespace {
// What a window manager puts around a window (title bar, borders) before it has framed any of
// ours, so that the size of its frame is still unknown.
constexpr QMargins kAssumedFrame(8, 32, 8, 8);

QMargins FrameOf(const QWidget* w) {
    const QRect outer = w->frameGeometry(), inner = w->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The window's own frame once it has one; else its parent's, which the same window manager drew.
QMargins Frame(const QWidget* w) {
    if (w->windowFlags() & Qt::FramelessWindowHint) return {};
    for (const QWidget* x = w; x; x = x->parentWidget() ? x->parentWidget()->window() : nullptr) {
        const QMargins m = FrameOf(x);
        if (!m.isNull()) return m;
    }
    return kAssumedFrame;
}

// The last item of a vertical layout when it is a row of buttons only (and space between them).
QLayout* TakeButtonRow(QLayout* layout) {
    auto* box = qobject_cast<QBoxLayout*>(layout);
    if (!box || box->direction() != QBoxLayout::TopToBottom || box->count() < 2) return nullptr;
    QLayout* row = box->itemAt(box->count() - 1)->layout();
    if (!row) return nullptr;
    for (int i = 0; i < row->count(); ++i) {
        QLayoutItem* item = row->itemAt(i);
        if (item->layout() || (item->widget() && !qobject_cast<QAbstractButton*>(item->widget())))
            return nullptr;
    }
    box->takeAt(box->count() - 1);
    return row;
}

bool Fits(QSize size, QSize room) { return size.width() <= room.width() && size.height() <= room.height(); }

class ScreenFit : public QObject {
public:
    explicit ScreenFit(QWidget* window) : QObject(window), w_(window) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // Before the window manager maps it, and before a dialog centres itself on its parent.
        if (event->type() == QEvent::Show && !event->spontaneous()) Fit();
        return false;
    }

private:
    void Fit() {
        const QScreen* screen = w_->screen();
        if (!screen) return;
        const QMargins frame = Frame(w_);
        const QRect available = screen->availableGeometry();
        const QRect area = available - frame;
        if (!area_) {
            if (QLayout* l = w_->layout()) l->activate();
            designed_ = w_->size();
            if (Fits(designed_, area.size())) return KeepInside(available, frame);
            const QSize least = w_->minimumSizeHint().expandedTo(w_->minimumSize());
            const bool resizable = w_->minimumSize() != w_->maximumSize();
            if (!resizable || !Fits(least, area.size())) Scroll();
        }
        SizeTo(area.size());
        KeepInside(available, frame);
    }

    // The controls move into a scroll area that fills the window; the menu bar stays above it,
    // and a row of buttons at the foot of the window's layout (OK, Cancel) below it.
    void Scroll() {
        area_ = new QScrollArea(w_);
        area_->setObjectName("ScreenFit");
        area_->setFrameShape(QFrame::NoFrame);
        area_->setWidgetResizable(true);
        // Made inside the window, so the controls stay in its focus chain as they move.
        auto* content = new QWidget(area_->viewport());
        content->setObjectName("ScreenFitContent");
        QLayout* layout = w_->layout();
        QWidget* menu = layout ? layout->menuBar() : nullptr;
        QLayout* foot = layout ? TakeButtonRow(layout) : nullptr;
        if (layout) {
            layout->setMenuBar(nullptr);
            content->setLayout(layout); // takes the layout and the controls in it along
        } else {
            content->setFixedSize(designed_); // the controls keep their places
        }
        w_->setMinimumSize(0, 0);
        w_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        auto* outer = new QVBoxLayout(w_);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->setSpacing(0);
        outer->setMenuBar(menu);
        outer->addWidget(area_);
        if (foot) {
            foot->setContentsMargins(layout->contentsMargins());
            foot->setSpacing(layout->spacing());
            outer->addLayout(foot);
        }
        const QObjectList children = w_->children(); // a copy: the moves change the list
        for (QObject* o : children) {
            auto* c = qobject_cast<QWidget*>(o);
            const bool stays = c == area_ || c == menu || (foot && foot->indexOf(c) >= 0);
            if (c && !stays && !c->isWindow()) c->setParent(content); // keeps its place
        }
        area_->setWidget(content);
        area_->show();
    }

    // As large as designed where the room allows, with a scroll bar only where the window is cut.
    void SizeTo(QSize room) {
        QSize full = designed_;
        if (area_) {
            const int bar = area_->verticalScrollBar()->sizeHint().width();
            bool tall = full.height() > room.height();
            const bool wide = full.width() + (tall ? bar : 0) > room.width();
            tall = tall || (wide && full.height() + bar > room.height());
            full += QSize(tall ? bar : 0, wide ? bar : 0);
            area_->setVerticalScrollBarPolicy(tall ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
            area_->setHorizontalScrollBarPolicy(wide ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
            w_->setMinimumSize(wide ? 0 : full.width(), tall ? 0 : full.height()); // no bar: no cut
            w_->setMaximumSize(full);
        }
        w_->resize(full.boundedTo(room).expandedTo(w_->minimumSize()));
    }

    // A window placed by its own code is moved back onto the screen, frame and all; a dialog not
    // yet placed centres itself within the area afterwards.
    void KeepInside(const QRect& available, const QMargins& frame) {
        if (!w_->testAttribute(Qt::WA_Moved)) return;
        const QSize outer = w_->size().grownBy(frame);
        auto within = [](int at, int low, int high, int size) {
            return std::clamp(at, low, std::max(low, high + 1 - size));
        };
        const QPoint p(within(w_->x(), available.left(), available.right(), outer.width()),
                       within(w_->y(), available.top(), available.bottom(), outer.height()));
        if (p == w_->pos()) return;
        // Until the window manager has framed the window, a move places its inside, not its frame.
        w_->move(FrameOf(w_).isNull() ? p + QPoint(frame.left(), frame.top()) : p);
    }

    QWidget* w_;
    QScrollArea* area_ = nullptr;
    QSize designed_;
};
} // namespace

void FitToScreen(QWidget* window) {
    window->installEventFilter(new ScreenFit(window));
}

} // namespace vt::ui
