#include "common/ui/ScreenFit.h"

#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
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
    for (const QWidget* x = w; x; x = x->parentWidget() ? x->parentWidget()->window() : nullptr) {
        const QMargins m = FrameOf(x);
        if (!m.isNull()) return m;
    }
    return kAssumedFrame;
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

    // The controls move into a scroll area that fills the window; the menu bar stays on top.
    void Scroll() {
        area_ = new QScrollArea(w_);
        area_->setObjectName("ScreenFit");
        area_->setFrameShape(QFrame::NoFrame);
        area_->setWidgetResizable(true);
        // Made inside the window, so the controls stay in its focus chain as they move.
        auto* content = new QWidget(area_->viewport());
        content->setObjectName("ScreenFitContent");
        QWidget* menu = nullptr;
        QLayout* layout = w_->layout();
        if (layout) {
            menu = layout->menuBar();
            layout->setMenuBar(nullptr);
        }
        const QSize contentSize = designed_ - QSize(0, menu ? menu->sizeHint().height() : 0);
        if (layout) content->setLayout(layout); // takes the layout and the controls in it along
        const QObjectList children = w_->children(); // a copy: the moves change the list
        for (QObject* o : children) {
            auto* c = qobject_cast<QWidget*>(o);
            if (c && c != area_ && c != menu && !c->isWindow()) c->setParent(content); // keeps its place
        }
        content->setFixedSize(contentSize);
        area_->setWidget(content);

        w_->setMinimumSize(0, 0);
        w_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        auto* outer = new QVBoxLayout(w_);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->setSpacing(0);
        outer->setMenuBar(menu);
        outer->addWidget(area_);
        area_->show();
    }

    // As large as designed where the room allows, with the scroll bars that the cut needs.
    void SizeTo(QSize room) {
        QSize full = designed_;
        if (area_) {
            const int bar = w_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area_);
            const bool tall = full.height() > room.height();
            const bool wide = full.width() + (tall ? bar : 0) > room.width();
            full += QSize(tall || (wide && full.height() + bar > room.height()) ? bar : 0, wide ? bar : 0);
            w_->setMaximumSize(full);
        }
        w_->resize(full.boundedTo(room).expandedTo(w_->minimumSize()));
    }

    // A window placed by its own code is moved back onto the screen, frame and all; a dialog not
    // yet placed centres itself within the area afterwards.
    void KeepInside(const QRect& available, const QMargins& frame) {
        if (!w_->testAttribute(Qt::WA_Moved)) return;
        const QSize outer = w_->size().grownBy(frame);
        auto within = [](int at, int low, int high, int size) { return std::clamp(at, low, std::max(low, high + 1 - size)); };
        const QPoint p(within(w_->x(), available.left(), available.right(), outer.width()),
                       within(w_->y(), available.top(), available.bottom(), outer.height()));
        if (p != w_->pos()) w_->move(p);
    }

    QWidget* w_;
    QScrollArea* area_ = nullptr;
    QSize designed_;
};
} // namespace

void FitToScreen(QWidget* window) { window->installEventFilter(new ScreenFit(window)); }

} // namespace vt::ui
