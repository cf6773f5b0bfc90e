#include "ClickableLabel.h"

#include <QMouseEvent>
#include <QPainter>

namespace statdesk {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace statdesk

namespace statdesk {

void ClickableLabel::paintEvent(QPaintEvent* event) {
    const QRect area = contentsRect();
    if (text().isEmpty() || fontMetrics().horizontalAdvance(text()) <= area.width()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, static_cast<int>(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
}

} // namespace statdesk
