#include "editor/shell/ui/ToolbarIcons.h"

#include <QPainter>
#include <cmath>
#include <QPainterPath>
#include <QPolygonF>

namespace vt {

namespace {
constexpr int kCanvas = 32; // every picture is drawn on a 32 x 32 grid

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 245);
const QColor kFolder(232, 184, 64);
const QColor kBlue(52, 101, 164);
const QColor kGreen(78, 154, 6);
const QColor kRed(204, 0, 0);
const QColor kGrey(136, 138, 133);

void Radio(QPainter& p, QRectF body) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(60, 64, 72));
    const double w = body.width();
    p.drawLine(QPointF(body.left() + w * 0.25, body.top()), QPointF(body.left() + w * 0.25, body.top() - w * 0.7));
    p.drawRoundedRect(body, w * 0.15, w * 0.15);
    p.setBrush(QColor(150, 210, 160));
    p.drawRect(QRectF(body.left() + w * 0.15, body.top() + body.height() * 0.12, w * 0.7, body.height() * 0.22));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 190, 190));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawEllipse(QPointF(body.left() + w * (0.27 + 0.23 * c), body.top() + body.height() * (0.5 + 0.14 * r)),
                          w * 0.07, w * 0.07);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c) {
    p.setPen(QPen(c, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    d /= len;
    const QPointF n(-d.y(), d.x());
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({to + d * 3, to - d * 5 + n * 5, to - d * 5 - n * 5}));
}

void Computer(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(200, 220, 240));
    p.drawRect(QRectF(17, 5, 13, 10));
    p.setBrush(kGrey);
    p.drawRect(QRectF(21, 16, 5, 2));
    p.drawRect(QRectF(18, 18, 11, 2));
}

void Draw(QPainter& p, ToolbarPicture picture) {
    switch (picture) {
    case ToolbarPicture::New: {
        QPolygonF page({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}});
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(kPaper);
        p.drawPolygon(page);
        p.setBrush(QColor(220, 220, 210));
        p.drawPolygon(QPolygonF({{20, 3}, {20, 9}, {26, 9}}));
        p.setPen(QPen(kGrey, 1));
        for (int y = 14; y <= 25; y += 4) p.drawLine(10, y, 23, y);
        break;
    }
    case ToolbarPicture::Open:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(kFolder.darker(115));
        p.drawPolygon(QPolygonF({{3, 8}, {11, 8}, {13, 11}, {27, 11}, {27, 27}, {3, 27}}));
        p.setBrush(kFolder);
        p.drawPolygon(QPolygonF({{7, 15}, {30, 15}, {26, 27}, {3, 27}}));
        break;
    case ToolbarPicture::Save:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(kBlue);
        p.drawPolygon(QPolygonF({{4, 4}, {25, 4}, {28, 7}, {28, 28}, {4, 28}}));
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 4, 15, 9));
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(QRectF(8, 18, 16, 10));
        p.setBrush(kInk);
        p.drawRect(QRectF(18, 6, 3, 5));
        break;
    case ToolbarPicture::Option:
        p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i) p.drawLine(5, 8 + 8 * i, 27, 8 + 8 * i);
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kBlue);
        p.drawRect(QRectF(18, 5, 5, 6));
        p.drawRect(QRectF(8, 13, 5, 6));
        p.drawRect(QRectF(14, 21, 5, 6));
        break;
    case ToolbarPicture::Area:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(190, 225, 170));
        p.drawPolygon(QPolygonF({{3, 7}, {11, 4}, {20, 7}, {29, 4}, {29, 25}, {20, 28}, {11, 25}, {3, 28}}));
        p.drawLine(11, 4, 11, 25);
        p.drawLine(20, 7, 20, 28);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(16, 14), 3, 3);
        break;
    case ToolbarPicture::Dialer:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(230, 230, 230));
        p.drawRoundedRect(QRectF(6, 3, 20, 26), 3, 3);
        p.setBrush(kInk);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c) p.drawRect(QRectF(9 + 5.5 * c, 7 + 5.5 * r, 3.5, 3.5));
        break;
    case ToolbarPicture::Setup: {
        p.setPen(QPen(kGrey.darker(130), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(9, 23, 21, 11);
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kGrey);
        QPainterPath head;
        head.addEllipse(QPointF(23, 9), 6, 6);
        QPainterPath notch;
        notch.addRect(QRectF(22, 1, 9, 6));
        p.drawPath(head.subtracted(notch));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(7, 25), 4, 4);
        break;
    }
    case ToolbarPicture::Read:
        Radio(p, QRectF(3, 12, 11, 18));
        Computer(p);
        Arrow(p, QPointF(11, 9), QPointF(19, 24), kGreen);
        break;
    case ToolbarPicture::Write:
        Radio(p, QRectF(3, 12, 11, 18));
        Computer(p);
        Arrow(p, QPointF(23, 23), QPointF(14, 9), kRed);
        break;
    }
}

QPixmap Render(ToolbarPicture picture, int size, bool disabled) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / double(kCanvas), size / double(kCanvas));
    if (disabled) p.setOpacity(0.35);
    Draw(p, picture);
    return pm;
}
} // namespace

QIcon ToolbarIcon(ToolbarPicture picture) {
    QIcon icon;
    for (int size : {16, 20, 24, 32, 48}) {
        icon.addPixmap(Render(picture, size, false), QIcon::Normal);
        icon.addPixmap(Render(picture, size, true), QIcon::Disabled);
    }
    return icon;
}

QPixmap ProgramPicture(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / double(kCanvas), size / double(kCanvas));
    const QRectF body(10, 13, 12, 18);
    Radio(p, body);
    // Waves around the antenna tip.
    const QPointF tip(body.left() + body.width() * 0.25, body.top() - body.width() * 0.7);
    p.setPen(QPen(kBlue, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        const double r = 1.4 * i;
        p.drawArc(QRectF(tip.x() - r, tip.y() - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
    }
    return pm;
}

} // namespace vt
