// Drawing the banner's logo and icons with QPainter.
#include "app/banner_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "ui/fonts.h"

namespace yc::app {
namespace {

constexpr int kIconSize = 64;
const QColor kInk(0x1F, 0x5F, 0xA8);
const QColor kAccent(0x2E, 0x9D, 0x4F);

QPixmap blank(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A 64 x 64 rounded tile in `colour` with a white glyph drawn on it.
template <class Glyph>
QPixmap drawTile(const QColor& colour, Glyph glyph) {
    QPixmap pixmap = blank(kIconSize, kIconSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, kIconSize);
    fill.setColorAt(0, colour.lighter(130));
    fill.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(6, 4, 52, 52), 12, 12);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    glyph(p);
    return pixmap;
}

}  // namespace

QPixmap drawLogo() {
    QPixmap pixmap = blank(195, 64);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A feather: the 翎 of the maker's name.
    QPainterPath feather;
    feather.moveTo(10, 56);
    feather.cubicTo(14, 30, 30, 10, 56, 6);
    feather.cubicTo(48, 26, 34, 44, 10, 56);
    QLinearGradient featherFill(10, 56, 56, 6);
    featherFill.setColorAt(0, kAccent);
    featherFill.setColorAt(1, kInk);
    p.setPen(Qt::NoPen);
    p.setBrush(featherFill);
    p.drawPath(feather);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(QPointF(12, 54), QPointF(48, 14));

    p.setPen(kInk);
    p.setFont(ui::designFont({26, true}));
    p.drawText(QRect(62, 4, 133, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("翎杉软件"));
    p.setPen(kAccent);
    p.setFont(ui::designFont({13, false}));
    p.drawText(QRect(64, 38, 131, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("域查灵 · 批量查域名"));
    return pixmap;
}

QPixmap drawHomeIcon() {
    return drawTile(kInk, [](QPainter& p) {
        p.drawPolyline(QPolygonF({QPointF(18, 32), QPointF(32, 18), QPointF(46, 32)}));
        p.drawPolyline(
            QPolygonF({QPointF(22, 30), QPointF(22, 46), QPointF(42, 46), QPointF(42, 30)}));
        p.drawRect(QRectF(29, 36, 6, 10));
    });
}

QPixmap drawContactIcon() {
    return drawTile(kAccent, [](QPainter& p) {
        p.drawRoundedRect(QRectF(16, 20, 32, 22), 3, 3);
        p.drawPolyline(QPolygonF({QPointF(17, 22), QPointF(32, 33), QPointF(47, 22)}));
    });
}

QPixmap drawAdvertIcon() {
    return drawTile(QColor(0xD9, 0x8A, 0x1C), [](QPainter& p) {
        p.drawRect(QRectF(16, 26, 32, 20));
        p.drawPolyline(
            QPolygonF({QPointF(26, 26), QPointF(26, 20), QPointF(38, 20), QPointF(38, 26)}));
        p.drawLine(QPointF(16, 34), QPointF(48, 34));
    });
}

}  // namespace yc::app
