// Drawing the report list's free and taken icons.
#include "ui/state_icons.h"

#include <QPainter>
#include <QPixmap>

namespace yc::ui {
namespace {

constexpr int kIconSize = 16;

QIcon drawIcon(const QColor& fill, bool tick) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(1, 1, kIconSize - 2, kIconSize - 2);
    painter.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (tick) {
        painter.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5)}));
    } else {
        painter.drawLine(QPointF(5, 5), QPointF(11, 11));
        painter.drawLine(QPointF(11, 5), QPointF(5, 11));
    }
    return QIcon(pixmap);
}

}  // namespace

std::vector<QIcon> reportStateIcons() {
    return {drawIcon(QColor(0x2E, 0x9D, 0x4F), true), drawIcon(QColor(0x9A, 0x9A, 0x9A), false)};
}

}  // namespace yc::ui
