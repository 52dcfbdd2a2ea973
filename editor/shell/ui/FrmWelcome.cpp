#include "editor/shell/ui/FrmWelcome.h"

#include "common/ui/ScreenFit.h"
#include "editor/shell/ui/ToolbarIcons.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace vt {

namespace {
constexpr int kWidth = 420, kHeight = 240, kSplashMs = 2000;
}

FrmWelcome::FrmWelcome(std::function<void()> showMain, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      showMain_(std::move(showMain)) {
    setObjectName("FrmWelcome");
    ui::FitToScreen(this);
    setAttribute(Qt::WA_TranslucentBackground); // the desktop shows around the picture
    setFixedSize(kWidth, kHeight);
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        move(g.center().x() - kWidth / 2, g.center().y() - kHeight / 2);
    }
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kSplashMs);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();
}

void FrmWelcome::Timer1_Timer() {
    Timer1->stop();
    // The splash stays on top of everything: a message the main window shows while it starts
    // would open hidden under it.
    hide();
    if (showMain_) showMain_();
    close();
    deleteLater();
}

void FrmWelcome::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, height());
    bg.setColorAt(0, QColor(38, 70, 120));
    bg.setColorAt(1, QColor(16, 32, 64));
    p.setPen(QPen(QColor(200, 210, 230), 2));
    p.setBrush(bg);
    p.drawRoundedRect(rect().adjusted(1, 1, -1, -1), 18, 18);
    p.drawPixmap(28, 48, ProgramPicture(144));
    p.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(30);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(180, 60, 220, 60), Qt::AlignLeft | Qt::AlignVCenter, "Veltra");
    QFont sub = font();
    sub.setPointSize(12);
    p.setFont(sub);
    p.setPen(QColor(200, 215, 240));
    p.drawText(QRect(182, 120, 220, 30), Qt::AlignLeft | Qt::AlignVCenter, "Radio Data Editor");
    p.drawText(QRect(182, 150, 220, 30), Qt::AlignLeft | Qt::AlignVCenter, "Version 1.0");
}

} // namespace vt
